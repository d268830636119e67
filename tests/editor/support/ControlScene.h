// Controls on the in-memory backend: a delegate that records its calls, and a knob over an opaque
// backdrop with helpers to press, drag and release in the pointer view's own coordinates.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ControlListener.h"
#include "Knob.h"
#include "TestPictures.h"
#include "View.h"
#include "headless/HeadlessSurface.h"

struct DelegateCall {
    int index;
    const int* value;
    ui::View* object;
    int knobStepDuringCall;  // the knob's ReturnValue, read from inside the call
};

class RecordingDelegate : public ControlListener {
public:
    std::vector<DelegateCall> calls;
    const KnobPointer* watched = nullptr;
    std::function<void()> duringCall;

    void knobUpdatedWithIndex(int index, const int* value, ui::View* object) override {
        calls.push_back({index, value, object, watched != nullptr ? watched->ReturnValue() : -1});
        if (duringCall) duringCall();
    }
    void controlReleased(ui::View* object) override { released.push_back(object); }
    std::vector<ui::View*> released;
    std::vector<int> indexes() const {
        std::vector<int> all;
        for (const auto& call : calls) all.push_back(call.index);
        return all;
    }
};

inline std::shared_ptr<ui::ImageList> knobFrames() {
    auto frames = std::make_shared<ui::ImageList>();
    for (int k = 0; k < 128; ++k) {
        frames->push_back(std::make_shared<ui::Image>("fxknob" + std::to_string(k), "png"));
    }
    return frames;
}

inline std::shared_ptr<std::vector<int>> stepsUpTo(int count) {
    auto steps = std::make_shared<std::vector<int>>();
    for (int i = 0; i < count; ++i) steps->push_back(i);
    return steps;
}

// A view that paints one picture, the backdrop the controls lie on.
class Backdrop : public ui::View {
public:
    explicit Backdrop(ui::Rect frame) : View(frame) {}
    void drawRect(ui::Rect) override {
        picture.drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
    }
    ui::Image picture{"delaybackground", "png"};
};

struct KnobScene {
    static constexpr double kX = 20.0, kY = 100.0;  // the knob's origin in the window

    std::shared_ptr<Backdrop> root = std::make_shared<Backdrop>(ui::Rect{0, 0, 100, 300});
    std::shared_ptr<Knob> knob =
        std::make_shared<Knob>(ui::Rect{kX, kY, 48, 48}, 2, 3, ui::Color::blackColor(),
                               ui::Color::whiteColor(), ui::Color::whiteColor(), knobFrames());
    KnobPointer& point = *knob->controlPoint();
    std::shared_ptr<std::vector<int>> steps = stepsUpTo(100);
    RecordingDelegate delegate;
    ui::headless::HeadlessSurface surface{root};

    KnobScene() {
        root->addSubview(knob);
        point.setDelegate(&delegate);
        point.setData(steps);
        delegate.watched = &point;
        surface.displayAll();
    }
    // y in the pointer view's coordinates; x in the middle of the knob.
    void press(double y) { surface.mouseDown({kX + 24.0, kY + y}); }
    void drag(double y) { surface.mouseDragged({kX + 24.0, kY + y}); }
    void release(double y) { surface.mouseUp({kX + 24.0, kY + y}); }
    // A press, one drag event and a release all at y: reports the step of the rest angle.
    void clickAndDragInPlace(double y = 10.0) {
        press(y);
        drag(y);
        release(y);
    }
    // The knob picture shown, read from the colour of its centre.
    int pictureShown() {
        surface.displayIfNeeded();
        const ui::headless::Pixel centre = surface.pixelAt({kX + 24.0, kY + 24.0});
        if (centre.green != test_pictures::kKnobCentreGreen) return -1;
        return centre.red / 2;
    }
    // Clears every redraw mark and the due cycle.
    void settle() {
        surface.displayAll();
        ASSERT_FALSE(surface.isDisplayDue());
    }
};
