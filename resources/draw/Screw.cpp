#include "Screw.h"

#include "Geometry.h"
#include "Palette.h"

#include <initializer_list>

void drawScrew(cairo_t* cr, double x, double y, double slotAngle) {
    constexpr double radius = 4.3;
    cairo_save(cr);
    // Countersunk: a dark ring around, a catch of light on the lower edge.
    cairo_arc(cr, x, y + 0.4, radius + 1.0, 0.0, 2.0 * pi);
    setSource(cr, palette::white.withAlpha(0.08));
    cairo_fill(cr);
    cairo_arc(cr, x, y - 0.2, radius + 0.7, 0.0, 2.0 * pi);
    setSource(cr, palette::black.withAlpha(0.55));
    cairo_fill(cr);

    cairo_pattern_t* head = cairo_pattern_create_radial(x - 1.4, y - 1.6, 0.3, x, y, radius);
    addStop(head, 0.0, rgb(176, 181, 189));
    addStop(head, 0.6, rgb(104, 109, 118));
    addStop(head, 1.0, rgb(58, 61, 68));
    fillCircle(cr, x, y, radius, head);

    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double angle : {slotAngle, slotAngle + 90.0}) {
        const Polar a = polar(x, y, radius * 0.62, angle);
        const Polar b = polar(x, y, radius * 0.62, angle + 180.0);
        strokeOverShadow(cr, a, b, 0.35, {1.2, palette::white.withAlpha(0.18)},
                         {1.1, rgb(28, 30, 34)});
    }
    cairo_restore(cr);
}
