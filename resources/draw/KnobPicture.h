#pragma once

#include <cairo.h>

// Draws the knob turned to the given angle (see KnobGeometry.h) into the 48-point square at the
// origin of the current transformation, over a transparent surface. The editor lays every
// frame over the panel twice (the knob and its pointer view both draw it), so the translucent
// parts (shadow, ticks, groove, glow) are drawn at the strength that looks right doubled.
void drawKnob(cairo_t* cr, double angleDegrees);
