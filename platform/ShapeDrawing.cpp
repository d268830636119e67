// The shapes drawn with cairo.
#include <cairo.h>

#include <cmath>

#include "DrawingContext.h"
#include "Shapes.h"

namespace ui {

namespace {

void addPath(cairo_t* cr, const Path& path) {
    cairo_new_path(cr);
    for (const Path::Element& step : path.steps()) {
        const auto& p = step.points;
        switch (step.verb) {
            case Path::Verb::MoveTo:
                cairo_move_to(cr, p[0].x, p[0].y);
                break;
            case Path::Verb::LineTo:
                cairo_line_to(cr, p[0].x, p[0].y);
                break;
            case Path::Verb::CurveTo:
                cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
                break;
            case Path::Verb::Close:
                cairo_close_path(cr);
                break;
        }
    }
}

void setColour(cairo_t* cr, Color colour) {
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, colour.alpha);
}

}  // namespace

void drawShapes(const ShapeList& shapes) {
    cairo_t* cr = drawing::current();
    if (cr == nullptr) return;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    for (const Shape& shape : shapes) {
        if (shape.path.isEmpty()) continue;
        addPath(cr, shape.path);
        if (shape.fill.alpha > 0.0) {
            setColour(cr, shape.fill);
            cairo_fill_preserve(cr);
        }
        if (shape.stroke.alpha > 0.0 && shape.lineWidth > 0.0) {
            const bool round = shape.cap == LineCap::Round;
            cairo_set_line_width(cr, shape.lineWidth);
            cairo_set_line_cap(cr, round ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
            cairo_set_line_join(cr, round ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
            setColour(cr, shape.stroke);
            cairo_stroke_preserve(cr);
        }
        cairo_new_path(cr);
    }
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
