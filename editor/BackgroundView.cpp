#include "BackgroundView.h"

BackgroundView::BackgroundView(std::shared_ptr<ui::Image> image, ui::Rect rect)
    : View(rect), _backgroundImage(std::move(image)) {}

void BackgroundView::drawRect(ui::Rect /*dirtyRect*/) {
    if (_backgroundImage) {
        _backgroundImage->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
    }
}
