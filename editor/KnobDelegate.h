// The receiver of the controls' one callback: a knob reached a new step, or a switch was clicked.
// The controller implements it; the controls only hold a plain pointer to it.
#pragma once

namespace ui {
class View;
}

class KnobDelegate {
public:
    // `index`: the knob's new step (0 from a switch). `value`: the entry of the knob's step list
    // at that step (null from a switch). `object`: the knob view (null from a switch).
    virtual void knobUpdatedWithIndex(int index, const int* value, ui::View* object) = 0;

protected:
    ~KnobDelegate() = default;
};
