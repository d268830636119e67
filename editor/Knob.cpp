#include "Knob.h"

#include "KnobArithmetic.h"

Knob::Knob(ui::Rect frame, std::int32_t insets, std::int32_t controlPointDiameter,
           ui::Color /*controlPointColor*/, ui::Color knobColor, ui::Color /*backgroundColor*/,
           std::shared_ptr<ui::ImageList> pointerToArray)
    : View(frame),
      _insets(insets),
      _backgroundColor(ui::Color::clearColor()),
      _knobColor(knobColor),
      _animationImages(std::move(pointerToArray)) {
    setWantsLayer(true);
    layer()->setBackgroundColor(_backgroundColor);
    layer()->setCornerRadius(15.0);
    _controlPoint =
        std::make_shared<KnobPointer>(ui::Rect{0.0, 0.0, frame.size.width, frame.size.height},
                                      insets, controlPointDiameter, ui::Color::clearColor(), 1);
    addSubview(_controlPoint);
}

void Knob::drawRect(ui::Rect /*dirtyRect*/) {
    if (_controlPoint && _animationImages) {
        // A step without a picture (one the creator should never set) shows nothing rather than
        // reading past the list.
        const std::int64_t k = knob::pictureForValue(_controlPoint->ReturnValue());
        if (k >= 0 && k < static_cast<std::int64_t>(_animationImages->size())) {
            if (const auto& picture = (*_animationImages)[static_cast<std::size_t>(k)]) {
                picture->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
            }
        }
    }
    // Knob and holder are drawn again at the next display cycle.
    setNeedsDisplay(true);
    if (superview() != nullptr) superview()->setNeedsDisplay(true);
}
