#include "EchoDisplay.h"

#include "EditorLayout.h"
#include "Geometry.h"
#include "Lettering.h"
#include "Palette.h"

#include <cmath>

namespace {

void drawGlass(cairo_t* cr, double x, double y, double width, double height) {
    constexpr double radius = 5.0;
    // Set into the panel: a shade above, a catch of light below.
    addRoundedRectangle(cr, x - 0.5, y - 0.5, width + 1.0, height + 2.0, radius + 0.5);
    setSource(cr, palette::white.withAlpha(0.09));
    cairo_fill(cr);
    addRoundedRectangle(cr, x - 0.5, y - 1.0, width + 1.0, height + 1.5, radius + 0.5);
    setSource(cr, palette::black.withAlpha(0.6));
    cairo_fill(cr);

    cairo_pattern_t* fill = cairo_pattern_create_linear(0.0, y, 0.0, y + height);
    addStop(fill, 0.0, palette::glassTop);
    addStop(fill, 1.0, palette::glassBottom);
    addRoundedRectangle(cr, x, y, width, height, radius);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

void drawGrid(cairo_t* cr, double x, double y, double width, double height) {
    cairo_set_line_width(cr, 1.0);
    for (double gx = x + 20.0; gx < x + width - 4.0; gx += 18.0) {
        cairo_move_to(cr, std::floor(gx) + 0.5, y + 3.0);
        cairo_line_to(cr, std::floor(gx) + 0.5, y + height - 3.0);
    }
    // Across at half the full level on either side of the echoes' middle line.
    const double middle = y + layout::echoMiddleRow(height);
    const double half = layout::echoFullLevel(height) / 2.0;
    for (double gy : {middle - half, middle + half}) {
        cairo_move_to(cr, x + 4.0, std::floor(gy) + 0.5);
        cairo_line_to(cr, x + width - 4.0, std::floor(gy) + 0.5);
    }
    setSource(cr, palette::white.withAlpha(0.035));
    cairo_stroke(cr);
    cairo_move_to(cr, x + 4.0, middle);
    cairo_line_to(cr, x + width - 4.0, middle);
    setSource(cr, palette::white.withAlpha(0.10));
    cairo_stroke(cr);
}

// The sides' letters at the left end of the middle line; the echoes themselves are drawn by
// the editor while it runs, from the current settings.
void drawSideLetters(cairo_t* cr, double x, double y, double height) {
    const double middle = y + layout::echoMiddleRow(height);
    TextStyle tiny{4.0, 0.9, 0.0, true};
    addTextPath(cr, "L", x + 8.0, middle - 5.0, tiny);
    setSource(cr, palette::accent.withAlpha(0.7));
    cairo_stroke(cr);
    addTextPath(cr, "R", x + 7.5, middle + 9.0, tiny);
    setSource(cr, palette::secondAccent.withAlpha(0.7));
    cairo_stroke(cr);
}

void drawReflection(cairo_t* cr, double x, double y, double width, double height) {
    cairo_pattern_t* reflection = cairo_pattern_create_linear(x, y, x + width * 0.4, y + height);
    addStop(reflection, 0.0, palette::white.withAlpha(0.05));
    addStop(reflection, 0.55, palette::white.withAlpha(0.015));
    addStop(reflection, 0.56, palette::white.withAlpha(0.0));
    addRoundedRectangle(cr, x, y, width, height, 5.0);
    cairo_set_source(cr, reflection);
    cairo_fill(cr);
    cairo_pattern_destroy(reflection);
}

}  // namespace

void drawEchoDisplay(cairo_t* cr, double x, double y, double width, double height) {
    cairo_save(cr);
    drawGlass(cr, x, y, width, height);
    addRoundedRectangle(cr, x, y, width, height, 5.0);
    cairo_clip(cr);
    drawGrid(cr, x, y, width, height);
    drawSideLetters(cr, x, y, height);
    drawReflection(cr, x, y, width, height);
    cairo_restore(cr);
}
