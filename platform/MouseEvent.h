// A press, drag or release of the main mouse button, as handed to a view.
#pragma once

#include "Geometry.h"

namespace ui {

class Window;

class MouseEvent {
public:
    enum class Type { Down, Dragged, Up };

    MouseEvent(Type type, Point locationInWindow, Window* window = nullptr, int clickCount = 1)
        : kind(type), location(locationInWindow), inWindow(window), clicks(clickCount) {}

    Type type() const { return kind; }
    // Where the event happened, in the coordinates of the view tree's outermost view (its
    // superview's space, y upward): what View::convertPoint(point, nullptr) expects.
    Point locationInWindow() const { return location; }
    // The window the tree is shown in, when it is known (null inside a host's view without one).
    Window* window() const { return inWindow; }
    int clickCount() const { return clicks; }

private:
    Type kind;
    Point location;
    Window* inWindow;
    int clicks;
};

}  // namespace ui
