// The receiver of the controls' callbacks: a knob reached a new step or a switch was clicked, and
// the mouse let go of a control. The controller implements it; the controls only hold a plain
// pointer to it.
#pragma once

namespace ui {
class View;
}

class ControlListener {
public:
    // `index`: the knob's new step (0 from a switch). `value`: the entry of the knob's step list
    // at that step (null from a switch). `object`: the control that moved (the knob view, or the
    // switch itself).
    virtual void knobUpdatedWithIndex(int index, const int* value, ui::View* object) = 0;
    // The button was released over or away from `object` (the knob view): the drag is over.
    virtual void controlReleased(ui::View* object) = 0;

protected:
    ~ControlListener() = default;
};
