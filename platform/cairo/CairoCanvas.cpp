#include "cairo/CairoCanvas.h"

#include <algorithm>
#include <cmath>

#include "cairo/CairoPicture.h"

namespace ui::cairo {

namespace {

cairo_operator_t cairoOperator(CompositingOperation operation) {
    switch (operation) {
        case CompositingOperation::Copy:
            return CAIRO_OPERATOR_SOURCE;
        case CompositingOperation::SourceOver:
            return CAIRO_OPERATOR_OVER;
    }
    return CAIRO_OPERATOR_OVER;
}

void setColor(cairo_t* cr, Color color) {
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

}  // namespace

double CairoCanvas::pixelsPerPoint() const {
    double x = 1.0;
    double y = 0.0;
    cairo_user_to_device_distance(cr, &x, &y);
    return std::fabs(x);
}

void CairoCanvas::save() { cairo_save(cr); }

void CairoCanvas::restore() { cairo_restore(cr); }

void CairoCanvas::translate(double dx, double dy) { cairo_translate(cr, dx, dy); }

void CairoCanvas::scale(double sx, double sy) { cairo_scale(cr, sx, sy); }

void CairoCanvas::clipToRect(Rect rect) {
    cairo_rectangle(cr, rect.minX(), rect.minY(), rect.size.width, rect.size.height);
    cairo_clip(cr);
}

void CairoCanvas::beginLayer() { cairo_push_group(cr); }

void CairoCanvas::endLayer() {
    cairo_pop_group_to_source(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_paint(cr);
}

void CairoCanvas::fillPath(Color color) {
    setColor(cr, color);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_fill(cr);
}

void CairoCanvas::fillRect(Rect rect, Color color, CompositingOperation operation) {
    if (operation == CompositingOperation::SourceOver) {
        cairo_rectangle(cr, rect.minX(), rect.minY(), rect.size.width, rect.size.height);
        fillPath(color);
        return;
    }
    // Copy and clear reach everywhere the clip lets them: keep them inside the rectangle.
    cairo_save(cr);
    clipToRect(rect);
    setColor(cr, color);
    cairo_set_operator(cr, cairoOperator(operation));
    cairo_paint(cr);
    cairo_restore(cr);
}

void CairoCanvas::fillRoundedRect(Rect rect, double radius, Color color) {
    const double r = std::min(radius, std::min(rect.size.width, rect.size.height) / 2.0);
    if (!(r > 0.0)) {
        fillRect(rect, color, CompositingOperation::SourceOver);
        return;
    }
    const double left = rect.minX(), right = rect.maxX();
    const double bottom = rect.minY(), top = rect.maxY();
    cairo_new_sub_path(cr);
    cairo_arc(cr, right - r, top - r, r, 0.0, M_PI / 2.0);
    cairo_arc(cr, left + r, top - r, r, M_PI / 2.0, M_PI);
    cairo_arc(cr, left + r, bottom + r, r, M_PI, 1.5 * M_PI);
    cairo_arc(cr, right - r, bottom + r, r, 1.5 * M_PI, 2.0 * M_PI);
    cairo_close_path(cr);
    fillPath(color);
}

void CairoCanvas::fillEllipse(Rect bounds, Color color) {
    if (bounds.isEmpty()) return;
    cairo_save(cr);
    cairo_translate(cr, bounds.minX() + bounds.size.width / 2.0,
                    bounds.minY() + bounds.size.height / 2.0);
    cairo_scale(cr, bounds.size.width / 2.0, bounds.size.height / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * M_PI);
    cairo_restore(cr);
    fillPath(color);
}

void CairoCanvas::fillPolygon(std::span<const Point> corners, Color color) {
    if (corners.size() < 3) return;
    cairo_new_path(cr);
    for (const Point& corner : corners) cairo_line_to(cr, corner.x, corner.y);
    cairo_close_path(cr);
    fillPath(color);
}

void CairoCanvas::strokePolyline(std::span<const Point> points, double width, Color color) {
    if (points.empty() || !(width > 0.0)) return;
    cairo_new_path(cr);
    for (const Point& point : points) cairo_line_to(cr, point.x, point.y);
    // A single point still shows, as a dot as wide as the line.
    if (points.size() == 1) cairo_line_to(cr, points[0].x, points[0].y);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setColor(cr, color);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_stroke(cr);
}

void CairoCanvas::drawPicture(const DecodedPicture& picture, Rect from, Rect to,
                              CompositingOperation operation, double opacity) {
    if (to.isEmpty() || from.isEmpty()) return;
    cairo_surface_t* pixels = static_cast<const CairoPicture&>(picture).surface();
    cairo_save(cr);
    clipToRect(to);
    // The view measures upward from its bottom edge and the picture's rows run downward from its
    // top: place the picture's top-left corner at the rectangle's top-left and flip it.
    cairo_translate(cr, to.minX(), to.maxY());
    cairo_scale(cr, to.size.width / from.size.width, -to.size.height / from.size.height);
    cairo_set_source_surface(cr, pixels, -from.minX(), -(picture.height() - from.maxY()));
    // Repeat the edge pixels instead of fading them into transparency when scaling.
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, cairoOperator(operation));
    if (opacity >= 1.0) {
        cairo_paint(cr);
    } else {
        cairo_paint_with_alpha(cr, opacity);
    }
    cairo_restore(cr);
}

}  // namespace ui::cairo
