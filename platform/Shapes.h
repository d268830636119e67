// What the editor draws at run time rather than from a picture (lettering, a picture of the
// current settings): plain-coloured lines, polygons, ellipses and rounded rectangles in a view's
// coordinates, drawn first to last. Drawing such a list is the one thing the windowing layer is
// asked to do with them, whichever drawing library it has.
#pragma once

#include <vector>

#include "Color.h"
#include "Geometry.h"

namespace ui {

struct Shape {
    enum class Kind {
        Line,         // `points` joined by a stroke `width` wide, round at joins and ends; one
                      // point twice is a dot
        Polygon,      // `points` filled, closed back to the first
        Ellipse,      // filled, inside `bounds`
        RoundedRect,  // `bounds` filled, its corners quarter circles of `radius`
    };

    Kind kind = Kind::Line;
    std::vector<Point> points;
    Rect bounds;
    double width = 1.0;   // points (Line)
    double radius = 0.0;  // points (RoundedRect)
    Color color = Color::transparent();

    static Shape line(std::vector<Point> through, double lineWidth, Color lineColor) {
        return {Kind::Line, std::move(through), {}, lineWidth, 0.0, lineColor};
    }
    static Shape ellipse(Rect inside, Color fillColor) {
        return {Kind::Ellipse, {}, inside, 0.0, 0.0, fillColor};
    }
    static Shape roundedRect(Rect area, double cornerRadius, Color fillColor) {
        return {Kind::RoundedRect, {}, area, 0.0, cornerRadius, fillColor};
    }
};

using ShapeList = std::vector<Shape>;

// Draws the shapes, first to last, blended over what the view being drawn has so far, in its
// coordinates. Does nothing outside a view's draw.
void drawShapes(const ShapeList& shapes);

// The device pixels to the point of the view being drawn (1 outside drawing), so that what is
// drawn can sit on whole pixels.
double pixelsPerPointOfDrawing();

}  // namespace ui
