#pragma once

#include <cairo.h>

// A cross-head panel screw centred at (x, y), its slots turned by the given angle in degrees.
void drawScrew(cairo_t* cr, double x, double y, double slotAngle);
