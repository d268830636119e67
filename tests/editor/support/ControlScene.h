// Controls on the in-memory backend: a listener that records their calls, and a knob over an
// opaque backdrop with helpers to press, drag and release in the knob's own coordinates.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ControlListener.h"
#include "Knob.h"
#include "ParameterTable.h"
#include "TestPictures.h"
#include "View.h"
#include "headless/HeadlessSurface.h"

// A turn or a click a control reported.
struct ControlCall {
    int parameter;
    int value;           // the knob's step, or the switch's state
    int stepDuringCall;  // the watched knob's step, read from inside the call
};

class RecordingListener : public ControlListener {
public:
    std::vector<ControlCall> calls;  // turns and clicks, in order
    std::vector<int> released;       // the parameters of the knobs let go
    const Knob* watched = nullptr;
    std::function<void()> duringCall;

    void knobTurned(int parameter, std::int32_t step) override { record(parameter, step); }
    void knobReleased(int parameter) override { released.push_back(parameter); }
    void switchClicked(int parameter, int state) override { record(parameter, state); }

    // The steps or states reported, in order.
    std::vector<int> values() const {
        std::vector<int> all;
        for (const auto& call : calls) all.push_back(call.value);
        return all;
    }

private:
    void record(int parameter, int value) {
        calls.push_back({parameter, value, watched != nullptr ? watched->step() : -1});
        if (duringCall) duringCall();
    }
};

inline std::shared_ptr<ui::ImageList> knobFrames() {
    auto frames = std::make_shared<ui::ImageList>();
    for (int k = 0; k < 128; ++k) {
        frames->push_back(std::make_shared<ui::Image>("fxknob" + std::to_string(k), "png"));
    }
    return frames;
}

// A view that paints one picture, the backdrop the controls lie on.
class Backdrop : public ui::View {
public:
    explicit Backdrop(ui::Rect frame) : View(frame) {}
    void draw(ui::Rect) override {
        picture.drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
    }
    ui::Image picture{"delaybackground", "png"};
};

struct KnobScene {
    static constexpr double kX = 20.0, kY = 100.0;  // the knob's origin in the window

    std::shared_ptr<Backdrop> root = std::make_shared<Backdrop>(ui::Rect{0, 0, 100, 300});
    static constexpr int kParameter = kMix;

    std::shared_ptr<Knob> knob =
        std::make_shared<Knob>(ui::Rect{kX, kY, 48, 48}, kParameter, knobFrames());
    RecordingListener listener;
    ui::headless::HeadlessSurface surface{root};

    KnobScene() {
        root->addSubview(knob);
        knob->setListener(&listener);
        listener.watched = knob.get();
        surface.displayAll();
    }
    // y in the knob's coordinates; x in the middle of the knob.
    void press(double y) { surface.mouseDown({kX + 24.0, kY + y}); }
    void drag(double y) { surface.mouseDragged({kX + 24.0, kY + y}); }
    void release(double y) { surface.mouseUp({kX + 24.0, kY + y}); }
    // A press, one drag event and a release all at y: reaches the step of the rest angle.
    void clickAndDragInPlace(double y = 10.0) {
        press(y);
        drag(y);
        release(y);
    }
    // The knob picture shown, read from the colour of its centre.
    int pictureShown() {
        surface.redrawIfNeeded();
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
