#include "LoopSwitch.h"

LoopSwitch::LoopSwitch(ui::Rect frame, std::shared_ptr<ui::Image> imageOne,
                       std::shared_ptr<ui::Image> imageTwo)
    : ImageView(frame), _state1Image(std::move(imageOne)), _state2Image(std::move(imageTwo)) {}

void LoopSwitch::mouseDown(const ui::MouseEvent& event) {
    ImageView::mouseDown(event);
    _imageState = _imageState == 0 ? 1 : 0;
    // The controller reads the state back from inside the callback, so it is stored first.
    if (_delegate != nullptr) {
        const auto keepAlive = weak_from_this().lock();
        _delegate->knobUpdatedWithIndex(0, nullptr, this);
    }
    setNeedsDisplay(true);
}

void LoopSwitch::drawRect(ui::Rect /*dirtyRect*/) {
    const auto& picture = _imageState != 0 ? _state2Image : _state1Image;
    if (picture)
        picture->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::SourceOver, 1.0);
}
