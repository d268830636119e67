// A view that remembers the mouse events it was given and how often it was drawn, and can fill
// itself with a colour or draw a named picture.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Image.h"
#include "View.h"

struct RecordedEvent {
    ui::MouseEvent::Type type;
    ui::Point location;  // in the view's own coordinates
    int clickCount = 1;
    bool shift = false;
    bool control = false;
    int notches = 0;
};

class RecordingView : public ui::View {
public:
    explicit RecordingView(ui::Rect frame) : View(frame) {}

    std::vector<RecordedEvent> events;
    int draws = 0;
    ui::Rect lastDirtyRect;
    bool acceptsFirst = false;
    bool passesPressesOn = false;
    // What draw draws over its bounds: a picture with an operation, or nothing.
    std::shared_ptr<ui::Image> picture;
    ui::CompositingOperation operation = ui::CompositingOperation::SourceOver;
    double fraction = 1.0;
    std::optional<ui::Rect> pictureRect;  // where the picture goes; the bounds when not set
    // Views to mark while being drawn.
    std::vector<ui::View*> markWhileDrawing;

    void draw(ui::Rect dirtyRect) override {
        ++draws;
        lastDirtyRect = dirtyRect;
        if (picture)
            picture->drawInRect(pictureRect.value_or(bounds()), ui::Rect{}, operation, fraction);
        for (ui::View* view : markWhileDrawing) view->setNeedsRedraw(true);
    }
    void mouseDown(const ui::MouseEvent& event) override {
        record(event);
        if (passesPressesOn) View::mouseDown(event);
    }
    void mouseDragged(const ui::MouseEvent& event) override { record(event); }
    void mouseUp(const ui::MouseEvent& event) override { record(event); }
    void mouseMoved(const ui::MouseEvent& event) override { record(event); }
    void mouseLeft(const ui::MouseEvent& event) override { record(event); }
    void wheelTurned(const ui::MouseEvent& event) override { record(event); }
    bool acceptsPressWhileInactive(const ui::MouseEvent&) override { return acceptsFirst; }

private:
    void record(const ui::MouseEvent& event) {
        events.push_back({event.type(), convertPoint(event.locationInWindow()), event.clickCount(),
                          event.shiftHeld(), event.controlHeld(), event.wheelNotches()});
    }
};

inline std::shared_ptr<RecordingView> makeView(double x, double y, double width, double height) {
    return std::make_shared<RecordingView>(ui::Rect{x, y, width, height});
}
