#include "LoopSwitch.h"

LoopSwitch::LoopSwitch(ui::Rect frame, int parameter, std::shared_ptr<ui::Image> off,
                       std::shared_ptr<ui::Image> on)
    : View(frame), _parameter(parameter), offPicture(std::move(off)), onPicture(std::move(on)) {}

void LoopSwitch::mouseDown(const ui::MouseEvent& /*event*/) {
    _state = _state == 0 ? 1 : 0;
    if (_listener != nullptr) {
        // The listener may rebuild the views from inside the call: stay alive through it.
        const auto keepAlive = weak_from_this().lock();
        _listener->switchClicked(_parameter, _state);
    }
    setNeedsRedraw(true);
}

void LoopSwitch::mouseMoved(const ui::MouseEvent& /*event*/) {
    if (_listener != nullptr) _listener->pointerEntered(_parameter);
}

void LoopSwitch::mouseLeft(const ui::MouseEvent& /*event*/) {
    if (_listener != nullptr) _listener->pointerLeft(_parameter);
}

void LoopSwitch::draw(ui::Rect /*dirtyRect*/) {
    const auto& picture = _state != 0 ? onPicture : offPicture;
    if (picture)
        picture->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::SourceOver, 1.0);
}
