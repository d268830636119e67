#pragma once

#include <cairo.h>

// The window in the header where the editor pictures what the effect does with the current
// settings: the glass, its grid and the sides' letters; empty otherwise.
void drawEchoDisplay(cairo_t* cr, double x, double y, double width, double height);
