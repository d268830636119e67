// What the editor draws at run time rather than from a picture (lettering, a picture of the
// current settings): outlines filled or stroked in plain colours, in order. Drawing a list is
// the one thing the windowing layer is asked to do with them.
#pragma once

#include <vector>

#include "Color.h"
#include "Path.h"

namespace ui {

enum class LineCap { Butt, Round };

struct Shape {
    Path path;
    Color fill = Color::transparent();    // clear: not filled
    Color stroke = Color::transparent();  // clear: not stroked; stroked after the fill
    double lineWidth = 1.0;              // points
    LineCap cap = LineCap::Round;        // round caps come with round joins
};

using ShapeList = std::vector<Shape>;

// Draws the shapes, first to last, into the view being drawn, in its coordinates. Does nothing
// outside a view's draw.
void drawShapes(const ShapeList& shapes);

// The device pixels to the point of the view being drawn (1 outside drawing), so that what is
// drawn can sit on whole pixels.
double pixelsPerPointOfDrawing();

}  // namespace ui
