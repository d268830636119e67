#pragma once

#include <cairo.h>

// The window in the header that pictures what the effect does: the dry sound, then its echoes
// dying away and crossing from one side to the other at every repeat.
void drawEchoDisplay(cairo_t* cr, double x, double y, double width, double height);
