// What views and pictures draw on: a surface of pixels seen through a transform, so that a view
// draws in its own coordinates (points, y upward from its bottom-left corner). Everything is
// antialiased; colours are straight RGBA and blended over what lies beneath unless said
// otherwise. Each drawing library serves it in its own way.
#pragma once

#include <span>

#include "Color.h"
#include "CompositingOperation.h"
#include "DecodedPicture.h"
#include "Geometry.h"

namespace ui {

class Canvas {
public:
    virtual ~Canvas() = default;

    // How many device pixels one unit of the current coordinates covers, horizontally.
    virtual double pixelsPerPoint() const = 0;

    // The transform, the clip and any layer begun since are taken back by the matching restore.
    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void translate(double dx, double dy) = 0;
    virtual void scale(double sx, double sy) = 0;
    // Drawing from here on stays inside `rect` as well as inside the clip so far.
    virtual void clipToRect(Rect rect) = 0;

    // What is drawn between these two is gathered apart, then laid over what lies beneath as one
    // picture (so even a copy only replaces the layer's own pixels). Layers nest.
    virtual void beginLayer() = 0;
    virtual void endLayer() = 0;

    virtual void fillRect(Rect rect, Color color,
                          CompositingOperation operation = CompositingOperation::SourceOver) = 0;
    // A rectangle whose corners are quarter circles of `radius`.
    virtual void fillRoundedRect(Rect rect, double radius, Color color) = 0;
    // The ellipse inside `bounds`.
    virtual void fillEllipse(Rect bounds, Color color) = 0;
    // The polygon through `corners`, closed back to the first.
    virtual void fillPolygon(std::span<const Point> corners, Color color) = 0;
    // A line `width` wide through `points`, with round joins and round ends.
    virtual void strokePolyline(std::span<const Point> points, double width, Color color) = 0;

    // Draws `from` of `picture` (in its pixels, measured upward from its bottom-left corner, as
    // views measure) scaled into `to`, at `opacity` (1 is opaque). Copy replaces what lies
    // beneath inside `to`; the picture's edge pixels are repeated rather than faded when scaled.
    virtual void drawPicture(const DecodedPicture& picture, Rect from, Rect to,
                             CompositingOperation operation, double opacity) = 0;
};

}  // namespace ui
