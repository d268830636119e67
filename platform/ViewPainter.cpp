#include "ViewPainter.h"

#include <cmath>

#include "DrawingContext.h"

namespace ui {

namespace {

void fillLayerBackground(cairo_t* cr, const Layer& layer, Rect bounds) {
    const Color color = layer.backgroundColor();
    if (color.alpha <= 0.0) return;
    const double radius =
        std::min(layer.cornerRadius(), std::min(bounds.size.width, bounds.size.height) / 2.0);
    if (radius > 0.0) {
        const double left = bounds.minX(), right = bounds.maxX();
        const double bottom = bounds.minY(), top = bounds.maxY();
        cairo_new_sub_path(cr);
        cairo_arc(cr, right - radius, top - radius, radius, 0.0, M_PI / 2.0);
        cairo_arc(cr, left + radius, top - radius, radius, M_PI / 2.0, M_PI);
        cairo_arc(cr, left + radius, bottom + radius, radius, M_PI, 1.5 * M_PI);
        cairo_arc(cr, right - radius, bottom + radius, radius, 1.5 * M_PI, 2.0 * M_PI);
        cairo_close_path(cr);
    } else {
        cairo_rectangle(cr, bounds.minX(), bounds.minY(), bounds.size.width, bounds.size.height);
    }
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
    cairo_fill(cr);
}

void drawContent(cairo_t* cr, View& view, Rect dirty) {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    drawing::CurrentContext current(cr);
    view.draw(dirty);
    cairo_restore(cr);
}

}  // namespace

void paintView(cairo_t* cr, View& view, Rect dirty) {
    const Rect frame = view.frame();
    if (frame.intersection(dirty).isEmpty()) return;
    cairo_save(cr);
    cairo_translate(cr, frame.minX(), frame.minY());
    const Rect bounds = view.bounds();
    const Rect dirtyInside = dirty.offsetBy(-frame.minX(), -frame.minY()).intersection(bounds);
    cairo_rectangle(cr, bounds.minX(), bounds.minY(), bounds.size.width, bounds.size.height);
    cairo_clip(cr);
    if (view.isLayerBacked()) {
        cairo_push_group(cr);
        if (const Layer* layer = view.layer()) fillLayerBackground(cr, *layer, bounds);
        drawContent(cr, view, dirtyInside);
        cairo_pop_group_to_source(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        cairo_paint(cr);
    } else {
        drawContent(cr, view, dirtyInside);
    }
    // A child's drawing may take the tree apart (nothing here does, but a copy keeps the walk
    // safe).
    const auto children = view.subviews();
    for (const auto& child : children) paintView(cr, *child, dirtyInside);
    cairo_restore(cr);
}

}  // namespace ui
