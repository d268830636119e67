// What the mouse did, as handed to a view: the main button's press, drag or release, a move with
// no button down, the pointer leaving the view, or turns of the wheel; with the modifier keys
// held at the time.
#pragma once

#include "Geometry.h"

namespace ui {

class Window;

// The modifier keys held, as a set of bits.
enum ModifierKey : unsigned {
    ModifierNone = 0,
    ModifierShift = 1u << 0,
    ModifierControl = 1u << 1,
};

class MouseEvent {
public:
    enum class Type { Down, Dragged, Up, Moved, Left, Wheel };

    MouseEvent(Type type, Point locationInWindow, Window* window = nullptr, int clickCount = 1,
               unsigned modifiers = ModifierNone, int wheelNotches = 0)
        : kind(type),
          location(locationInWindow),
          inWindow(window),
          clicks(clickCount),
          keys(modifiers),
          notches(wheelNotches) {}

    Type type() const { return kind; }
    // Where the event happened, in the coordinates of the view tree's outermost view (its
    // superview's space, y upward): what View::convertPoint(point, nullptr) expects.
    Point locationInWindow() const { return location; }
    // The window the tree is shown in, when it is known (null inside a host's view without one).
    Window* window() const { return inWindow; }
    // 2 for the second press of a double click.
    int clickCount() const { return clicks; }
    bool shiftHeld() const { return (keys & ModifierShift) != 0; }
    bool controlHeld() const { return (keys & ModifierControl) != 0; }
    // Wheel notches turned: positive away from the user (up), negative toward.
    int wheelNotches() const { return notches; }

private:
    Type kind;
    Point location;
    Window* inWindow;
    int clicks;
    unsigned keys;
    int notches;
};

}  // namespace ui
