#pragma once

#include <cairo.h>

// The editor's whole face, 344 x 400 points at the origin, opaque: panel, product name, the
// echo display, section rules, the lettering beside every control, screws. The squares where
// the knobs and switches sit are left as bare panel, since their pictures are blended over it.
void drawBackground(cairo_t* cr);
