// The shapes drawn with cairo.
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "DrawingContext.h"
#include "Shapes.h"

namespace ui {

namespace {

void setColour(cairo_t* cr, Color colour) {
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, colour.alpha);
}

void addPoints(cairo_t* cr, const std::vector<Point>& points) {
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k == 0) {
            cairo_move_to(cr, points[k].x, points[k].y);
        } else {
            cairo_line_to(cr, points[k].x, points[k].y);
        }
    }
}

void addRoundedRect(cairo_t* cr, Rect r, double radius) {
    const double k = std::clamp(radius, 0.0, std::min(r.size.width, r.size.height) / 2.0);
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.maxX() - k, r.minY() + k, k, -M_PI / 2.0, 0.0);
    cairo_arc(cr, r.maxX() - k, r.maxY() - k, k, 0.0, M_PI / 2.0);
    cairo_arc(cr, r.minX() + k, r.maxY() - k, k, M_PI / 2.0, M_PI);
    cairo_arc(cr, r.minX() + k, r.minY() + k, k, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void drawShape(cairo_t* cr, const Shape& shape) {
    cairo_new_path(cr);
    setColour(cr, shape.color);
    switch (shape.kind) {
        case Shape::Kind::Line:
            if (shape.points.empty() || !(shape.width > 0.0)) return;
            addPoints(cr, shape.points);
            cairo_set_line_width(cr, shape.width);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
            return;
        case Shape::Kind::Polygon:
            if (shape.points.size() < 3) return;
            addPoints(cr, shape.points);
            cairo_close_path(cr);
            cairo_fill(cr);
            return;
        case Shape::Kind::Ellipse: {
            const Rect b = shape.bounds;
            if (b.isEmpty()) return;
            cairo_save(cr);
            cairo_translate(cr, b.minX() + b.size.width / 2.0, b.minY() + b.size.height / 2.0);
            cairo_scale(cr, b.size.width / 2.0, b.size.height / 2.0);
            cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * M_PI);
            cairo_restore(cr);
            cairo_fill(cr);
            return;
        }
        case Shape::Kind::RoundedRect:
            if (shape.bounds.isEmpty()) return;
            addRoundedRect(cr, shape.bounds, shape.radius);
            cairo_fill(cr);
            return;
    }
}

}  // namespace

void drawShapes(const ShapeList& shapes) {
    cairo_t* cr = drawing::current();
    if (cr == nullptr) return;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    for (const Shape& shape : shapes) {
        if (shape.color.alpha > 0.0) drawShape(cr, shape);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
}

double pixelsPerPointOfDrawing() {
    cairo_t* cr = drawing::current();
    if (cr == nullptr) return 1.0;
    double x = 1.0;
    double y = 0.0;
    cairo_user_to_device_distance(cr, &x, &y);
    const double scale = std::hypot(x, y);
    return scale > 0.0 ? scale : 1.0;
}

}  // namespace ui
