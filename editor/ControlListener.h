// What the controls tell the one who listens to them (the controller): a knob reached a new step
// during a drag, the mouse let go of a knob, a switch was clicked. Each call carries the control's
// parameter and what the control now shows, so the listener never reads a control back.
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

protected:
    ~ControlListener() = default;
};
