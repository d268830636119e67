// The face's colours as cairo takes them, and a few ways of painting with them.
#pragma once

#include <cairo.h>

#include "FaceColours.h"
#include "Geometry.h"

inline void setSource(cairo_t* cr, Colour c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

inline void addStop(cairo_pattern_t* pattern, double offset, Colour c) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, c.a);
}

struct Stroke {
    double width;
    Colour colour;
};

// A line from `from` to `to` over a copy of itself `drop` lower (a shadow, or a glint above it).
inline void strokeOverShadow(cairo_t* cr, Polar from, Polar to, double drop, Stroke shadow,
                             Stroke line) {
    cairo_move_to(cr, from.x, from.y + drop);
    cairo_line_to(cr, to.x, to.y + drop);
    cairo_set_line_width(cr, shadow.width);
    setSource(cr, shadow.colour);
    cairo_stroke(cr);
    cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    cairo_set_line_width(cr, line.width);
    setSource(cr, line.colour);
    cairo_stroke(cr);
}

// Fills a circle around (x, y) with `pattern`, which is let go afterwards.
inline void fillCircle(cairo_t* cr, double x, double y, double radius, cairo_pattern_t* pattern) {
    cairo_arc(cr, x, y, radius, 0.0, 2.0 * pi);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}
