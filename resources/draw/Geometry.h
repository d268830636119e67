#pragma once

#include <cairo.h>

#include <cmath>

constexpr double pi = 3.14159265358979323846;

constexpr double radians(double degrees) { return degrees * pi / 180.0; }

// A point at a distance and an angle (degrees, counter-clockwise, y up) from a centre, in
// cairo's coordinates where y grows downward.
struct Polar {
    double x;
    double y;
};

inline Polar polar(double centerX, double centerY, double radius, double angleDegrees) {
    return {centerX + radius * std::cos(radians(angleDegrees)),
            centerY - radius * std::sin(radians(angleDegrees))};
}

inline void addRoundedRectangle(cairo_t* cr, double x, double y, double width, double height,
                                double radius) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + width - radius, y + radius, radius, radians(-90), 0.0);
    cairo_arc(cr, x + width - radius, y + height - radius, radius, 0.0, radians(90));
    cairo_arc(cr, x + radius, y + height - radius, radius, radians(90), radians(180));
    cairo_arc(cr, x + radius, y + radius, radius, radians(180), radians(270));
    cairo_close_path(cr);
}
