#include "SwitchPicture.h"

#include "Geometry.h"
#include "Palette.h"

namespace {

constexpr double width = 15.0;
constexpr double height = 16.0;
constexpr double lampX = width / 2.0;
constexpr double lampY = height / 2.0;
constexpr double lampRadius = 3.1;

void drawButton(cairo_t* cr) {
    // Shadow on the panel, then the cap with its bevel.
    addRoundedRectangle(cr, 1.0, 1.8, width - 2.0, height - 2.4, 3.2);
    setSource(cr, palette::black.withAlpha(0.55));
    cairo_fill(cr);

    addRoundedRectangle(cr, 1.5, 1.0, width - 3.0, height - 2.6, 3.0);
    cairo_pattern_t* face = cairo_pattern_create_linear(0.0, 1.0, 0.0, height - 1.6);
    addStop(face, 0.0, rgb(82, 87, 97));
    addStop(face, 0.5, rgb(46, 49, 56));
    addStop(face, 1.0, rgb(26, 28, 32));
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    cairo_set_line_width(cr, 0.8);
    setSource(cr, palette::black.withAlpha(0.8));
    cairo_stroke(cr);

    addRoundedRectangle(cr, 2.4, 1.9, width - 4.8, height - 4.4, 2.2);
    cairo_pattern_t* bevel = cairo_pattern_create_linear(0.0, 1.9, 0.0, height - 2.5);
    addStop(bevel, 0.0, palette::white.withAlpha(0.28));
    addStop(bevel, 0.4, palette::white.withAlpha(0.0));
    cairo_set_source(cr, bevel);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    cairo_pattern_destroy(bevel);
}

void drawLamp(cairo_t* cr, bool on) {
    const double y = lampY - 0.6;
    if (on) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(lampX, y, 0.0, lampX, y, 7.0);
        addStop(glow, 0.0, palette::accent.withAlpha(0.55));
        addStop(glow, 1.0, palette::accent.withAlpha(0.0));
        fillCircle(cr, lampX, y, 7.0, glow);
    }
    // The lamp sits in a dark bezel.
    cairo_arc(cr, lampX, y, lampRadius + 0.8, 0.0, 2.0 * pi);
    setSource(cr, palette::black.withAlpha(0.7));
    cairo_fill(cr);

    cairo_pattern_t* lens =
        cairo_pattern_create_radial(lampX - 0.8, y - 1.0, 0.0, lampX, y, lampRadius);
    if (on) {
        addStop(lens, 0.0, rgb(255, 244, 214));
        addStop(lens, 0.45, palette::accent);
        addStop(lens, 1.0, palette::accentDeep);
    } else {
        addStop(lens, 0.0, rgb(92, 64, 34));
        addStop(lens, 1.0, rgb(38, 26, 14));
    }
    fillCircle(cr, lampX, y, lampRadius, lens);

    // A glint on the glass.
    cairo_arc(cr, lampX - 1.0, y - 1.2, 0.9, 0.0, 2.0 * pi);
    setSource(cr, palette::white.withAlpha(on ? 0.75 : 0.22));
    cairo_fill(cr);
}

}  // namespace

void drawSwitch(cairo_t* cr, bool on) {
    cairo_save(cr);
    drawButton(cr);
    drawLamp(cr, on);
    cairo_restore(cr);
}
