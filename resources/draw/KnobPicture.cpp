#include "KnobPicture.h"

#include "Geometry.h"
#include "KnobGeometry.h"
#include "Palette.h"

#include <cmath>

namespace {

using namespace knob;

void drawTicks(cairo_t* cr) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < tickCount; ++i) {
        const double angle = minimumAngle - travel * i / (tickCount - 1);
        const bool end = i == 0 || i == tickCount - 1;
        const Polar inner = polar(center, center, tickInnerRadius - (end ? 0.6 : 0.0), angle);
        const Polar outer = polar(center, center, tickOuterRadius, angle);
        cairo_move_to(cr, inner.x, inner.y);
        cairo_line_to(cr, outer.x, outer.y);
        setSource(cr, palette::lettering.withAlpha(end ? 0.45 : 0.22));
        cairo_stroke(cr);
    }
}

// cairo measures angles clockwise on screen, ours counter-clockwise: negate.
void addArc(cairo_t* cr, double radius, double fromDegrees, double toDegrees) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, center, center, radius, radians(-fromDegrees), radians(-toDegrees));
}

void drawValueArc(cairo_t* cr, double angle) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    // The groove the value runs in.
    addArc(cr, arcRadius, minimumAngle, minimumAngle - travel);
    cairo_set_line_width(cr, arcWidth + 1.0);
    setSource(cr, palette::black.withAlpha(0.33));
    cairo_stroke(cr);
    addArc(cr, arcRadius + arcWidth / 2.0 + 0.5, minimumAngle, minimumAngle - travel);
    cairo_set_line_width(cr, 0.6);
    setSource(cr, palette::white.withAlpha(0.03));
    cairo_stroke(cr);
    if (angle >= minimumAngle) return;

    // The lit part from the minimum to the value: a soft glow, the bar, a brighter core.
    addArc(cr, arcRadius, minimumAngle, angle);
    cairo_set_line_width(cr, arcWidth + 3.0);
    setSource(cr, palette::accent.withAlpha(0.09));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, arcWidth);
    setSource(cr, palette::accentDeep);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, arcWidth * 0.45);
    setSource(cr, palette::accent);
    cairo_stroke(cr);
}

void drawBody(cairo_t* cr) {
    // Shadow cast downward onto the panel.
    cairo_pattern_t* shadow = cairo_pattern_create_radial(center, center + 1.6, bodyRadius - 2.0,
                                                          center, center + 1.6, bodyRadius + 3.2);
    addStop(shadow, 0.0, palette::black.withAlpha(0.4));
    addStop(shadow, 1.0, palette::black.withAlpha(0.0));
    fillCircle(cr, center, center + 1.6, bodyRadius + 3.2, shadow);

    // The skirt, lit from above.
    cairo_pattern_t* skirt =
        cairo_pattern_create_linear(0.0, center - bodyRadius, 0.0, center + bodyRadius);
    addStop(skirt, 0.0, rgb(86, 91, 101));
    addStop(skirt, 0.45, rgb(44, 47, 54));
    addStop(skirt, 1.0, rgb(16, 17, 20));
    cairo_arc(cr, center, center, bodyRadius, 0.0, 2.0 * pi);
    cairo_set_source(cr, skirt);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(skirt);
    cairo_set_line_width(cr, 0.8);
    setSource(cr, palette::black.withAlpha(0.75));
    cairo_stroke(cr);
}

// Spun-metal cap: brightness swings twice around the circle, as a turned surface catches a
// light from the upper left. The reflection stays put while the knob turns.
void drawCap(cairo_t* cr) {
    constexpr int sectors = 72;
    cairo_pattern_t* mesh = cairo_pattern_create_mesh();
    auto shade = [](double angleDegrees) {
        const double swing = std::cos(radians(2.0 * (angleDegrees - 130.0)));
        const double level = 0.20 + 0.09 * swing + 0.03 * std::cos(radians(angleDegrees - 100.0));
        return Colour{level, level * 1.02, level * 1.07, 1.0};
    };
    for (int i = 0; i < sectors; ++i) {
        const double from = 360.0 * i / sectors;
        const double to = 360.0 * (i + 1) / sectors;
        const Polar a = polar(center, center, capRadius + 0.5, from);
        const Polar b = polar(center, center, capRadius + 0.5, to);
        const Colour ca = shade(from);
        const Colour cb = shade(to);
        cairo_mesh_pattern_begin_patch(mesh);
        cairo_mesh_pattern_move_to(mesh, center, center);
        cairo_mesh_pattern_line_to(mesh, a.x, a.y);
        cairo_mesh_pattern_line_to(mesh, b.x, b.y);
        cairo_mesh_pattern_line_to(mesh, center, center);
        cairo_mesh_pattern_set_corner_color_rgb(mesh, 0, ca.r, ca.g, ca.b);
        cairo_mesh_pattern_set_corner_color_rgb(mesh, 1, ca.r, ca.g, ca.b);
        cairo_mesh_pattern_set_corner_color_rgb(mesh, 2, cb.r, cb.g, cb.b);
        cairo_mesh_pattern_set_corner_color_rgb(mesh, 3, cb.r, cb.g, cb.b);
        cairo_mesh_pattern_end_patch(mesh);
    }
    fillCircle(cr, center, center, capRadius, mesh);

    // A soft sheen toward the light and a crisp rim: bright above, in shade below.
    cairo_pattern_t* sheen =
        cairo_pattern_create_radial(center - 3.0, center - 4.0, 0.0, center, center, capRadius);
    addStop(sheen, 0.0, palette::white.withAlpha(0.10));
    addStop(sheen, 1.0, palette::white.withAlpha(0.0));
    fillCircle(cr, center, center, capRadius, sheen);

    cairo_pattern_t* rim =
        cairo_pattern_create_linear(0.0, center - capRadius, 0.0, center + capRadius);
    addStop(rim, 0.0, palette::white.withAlpha(0.30));
    addStop(rim, 0.5, palette::white.withAlpha(0.04));
    addStop(rim, 1.0, palette::black.withAlpha(0.45));
    cairo_arc(cr, center, center, capRadius - 0.4, 0.0, 2.0 * pi);
    cairo_set_line_width(cr, 0.8);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
}

void drawPointer(cairo_t* cr, double angle) {
    const Polar inner = polar(center, center, pointerInnerRadius, angle);
    const Polar outer = polar(center, center, pointerOuterRadius, angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    strokeOverShadow(cr, inner, outer, 0.5, {3.0, palette::black.withAlpha(0.5)},
                     {1.8, rgb(246, 244, 240)});
}

}  // namespace

void drawKnob(cairo_t* cr, double angleDegrees) {
    cairo_save(cr);
    drawTicks(cr);
    drawValueArc(cr, angleDegrees);
    drawBody(cr);
    drawCap(cr);
    drawPointer(cr, angleDegrees);
    cairo_restore(cr);
}
