// What the controls tell the one who listens to them (the controller): a knob reached a new step
// during a drag (plain or fine), the mouse let go of a knob, a switch was clicked; and the moves
// a listener may leave alone: a press, the wheel, a reset, the pointer coming and going. Each call
// carries the control's parameter and what the control now shows, so the listener never reads a
// control back.
#pragma once

#include <cstdint>

class ControlListener {
public:
    // The knob of `parameter` reached `step` during a drag.
    virtual void knobTurned(int parameter, std::int32_t step) = 0;
    // The mouse let go of the knob of `parameter`: its drag is over.
    virtual void knobReleased(int parameter) = 0;
    // The switch of `parameter` was clicked and now shows `state` (0 off, anything else on).
    virtual void switchClicked(int parameter, int state) = 0;

    // The knob of `parameter` was pressed: a drag may follow.
    virtual void knobPressed(int /*parameter*/) {}
    // A notch of the wheel moved the knob of `parameter` to `step`.
    virtual void knobWheeled(int /*parameter*/, std::int32_t /*step*/) {}
    // The knob of `parameter` was double-clicked (or pressed with Control held): it asks to
    // return to its value in the program that is loaded.
    virtual void knobResetAsked(int /*parameter*/) {}
    // The pointer came over the control of `parameter`, or left it.
    virtual void pointerEntered(int /*parameter*/) {}
    virtual void pointerLeft(int /*parameter*/) {}

protected:
    ~ControlListener() = default;
};
