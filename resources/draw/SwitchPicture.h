#pragma once

#include <cairo.h>

// The filter-placement switch, 15 x 16 points at the origin: a small push button whose lamp is
// lit while the switch is on, over a transparent surface.
void drawSwitch(cairo_t* cr, bool on);
