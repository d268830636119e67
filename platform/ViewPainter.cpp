#include "ViewPainter.h"

#include "CurrentCanvas.h"

namespace ui {

namespace {

void drawContent(Canvas& canvas, View& view, Rect dirty) {
    canvas.save();
    CurrentCanvas current(canvas);
    view.draw(dirty);
    canvas.restore();
}

}  // namespace

void paintView(Canvas& canvas, View& view, Rect dirty) {
    const Rect frame = view.frame();
    if (frame.intersection(dirty).isEmpty()) return;
    canvas.save();
    canvas.translate(frame.minX(), frame.minY());
    const Rect bounds = view.bounds();
    const Rect dirtyInside = dirty.offsetBy(-frame.minX(), -frame.minY()).intersection(bounds);
    canvas.clipToRect(bounds);
    if (view.isLayerBacked()) {
        canvas.beginLayer();
        drawContent(canvas, view, dirtyInside);
        canvas.endLayer();
    } else {
        drawContent(canvas, view, dirtyInside);
    }
    // A child's drawing may take the tree apart (nothing here does, but a copy keeps the walk
    // safe).
    const auto children = view.subviews();
    for (const auto& child : children) paintView(canvas, *child, dirtyInside);
    canvas.restore();
}

}  // namespace ui
