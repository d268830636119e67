// Draws a view tree on a canvas whose coordinates are the tree's window coordinates.
#pragma once

#include "Canvas.h"
#include "Geometry.h"
#include "View.h"

namespace ui {

// Draws `view` and its children, in z-order, where they meet `dirty` (in the coordinates of the
// view's superview). Each view draws clipped to its bounds; a layer-backed view draws into a
// layer of its own that is then laid over what lies beneath.
void paintView(Canvas& canvas, View& view, Rect dirty);

}  // namespace ui
