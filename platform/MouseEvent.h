// What the mouse did, as handed to a view: the main button's press, drag or release, a move with
// no button down, the pointer leaving the view, or turns of the wheel; with the modifier keys
// held at the time.
#pragma once

#include "Geometry.h"

namespace ui {

// The modifier keys held, as a set of bits.
enum ModifierKey : unsigned {
    ModifierNone = 0,
    ModifierShift = 1u << 0,
    ModifierControl = 1u << 1,
};

class MouseEvent {
public:
    enum class Type { Down, Dragged, Up, Moved, Left, Wheel };

    MouseEvent(Type type, Point locationInWindow, int clickCount = 1,
               unsigned modifiers = ModifierNone, int wheelNotches = 0)
        : kind(type),
          location(locationInWindow),
          clicks(clickCount),
          keys(modifiers),
          notches(wheelNotches) {}

    Type type() const { return kind; }
    // Where the event happened, in the coordinates of the view tree's outermost view (its
    // superview's space, y upward): what View::convertPoint expects.
    Point locationInWindow() const { return location; }
    // 2 for the second press of a double click.
    int clickCount() const { return clicks; }
    bool shiftHeld() const { return (keys & ModifierShift) != 0; }
    bool controlHeld() const { return (keys & ModifierControl) != 0; }
    // Wheel notches turned: positive away from the user (up), negative toward.
    int wheelNotches() const { return notches; }

private:
    Type kind;
    Point location;
    int clicks;
    unsigned keys;
    int notches;
};

}  // namespace ui
