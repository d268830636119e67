#include "BackgroundView.h"

BackgroundView::BackgroundView(std::shared_ptr<ui::Image> shown, ui::Rect frame)
    : View(frame), picture(std::move(shown)) {}

void BackgroundView::draw(ui::Rect /*dirtyRect*/) {
    if (picture) picture->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
}
