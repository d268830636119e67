#include "ImageView.h"

namespace ui {

void ImageView::setImage(std::shared_ptr<Image> image) {
    shownImage = std::move(image);
    setNeedsRedraw(true);
}

void ImageView::draw(Rect /*dirtyRect*/) {
    if (shownImage) shownImage->drawInRect(bounds(), Rect{}, CompositingOperation::SourceOver, 1.0);
}

void ImageView::mouseDown(const MouseEvent& /*event*/) {}

}  // namespace ui
