#include "DetatchedView13.h"

DetatchedView13::DetatchedView13(std::shared_ptr<ui::Image> image, ui::Rect rect)
    : View(rect), _BackgroundImage(std::move(image)) {}

void DetatchedView13::drawRect(ui::Rect /*dirtyRect*/) {
    if (_BackgroundImage) {
        _BackgroundImage->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
    }
}
