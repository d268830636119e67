// The switch that puts a filter inside the feedback loop or leaves it on the heard echo: it shows
// one picture while off and another while on, flips at each press, and tells the listener its
// parameter and new state.
#pragma once

#include <cstdint>
#include <memory>

#include "ControlListener.h"
#include "Image.h"
#include "View.h"

class LoopSwitch : public ui::View {
public:
    // Starts off (state 0), showing `offPicture`; `onPicture` is shown while on.
    LoopSwitch(ui::Rect frame, int parameter, std::shared_ptr<ui::Image> offPicture,
               std::shared_ptr<ui::Image> onPicture);

    int parameter() const { return _parameter; }
    void setListener(ControlListener* listener) { _listener = listener; }

    // 0 off, anything else on.
    int state() const { return _state; }
    // Stores the state and nothing else: whoever sets it asks for the redraw.
    void setState(std::int8_t state) { _state = state; }

    void mouseDown(const ui::MouseEvent& event) override;
    // The pointer over the switch, or leaving it, is told to the listener.
    void mouseMoved(const ui::MouseEvent& event) override;
    void mouseLeft(const ui::MouseEvent& event) override;
    // Blends the picture of the state over what lies beneath.
    void draw(ui::Rect dirtyRect) override;

private:
    int _parameter;
    ControlListener* _listener = nullptr;
    std::shared_ptr<ui::Image> offPicture;
    std::shared_ptr<ui::Image> onPicture;
    std::int8_t _state = 0;
};
