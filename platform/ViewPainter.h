// Draws a view tree into a cairo context whose user space is the tree's window coordinates.
#pragma once

#include <cairo.h>

#include "Geometry.h"
#include "View.h"

namespace ui {

// Draws `view` and its children, in z-order, where they meet `dirty` (in the coordinates of the
// view's superview). Each view draws clipped to its bounds; a layer-backed view draws into a
// group of its own that is then laid over what lies beneath.
void paintView(cairo_t* cr, View& view, Rect dirty);

}  // namespace ui
