// The shapes, drawn on the canvas of the view being drawn.
#include <span>

#include "CurrentCanvas.h"
#include "Shapes.h"

namespace ui {

namespace {

void drawShape(Canvas& canvas, const Shape& shape) {
    switch (shape.kind) {
        case Shape::Kind::Line:
            canvas.strokePolyline(std::span<const Point>(shape.points), shape.width, shape.color);
            return;
        case Shape::Kind::Polygon:
            canvas.fillPolygon(std::span<const Point>(shape.points), shape.color);
            return;
        case Shape::Kind::Ellipse:
            canvas.fillEllipse(shape.bounds, shape.color);
            return;
        case Shape::Kind::RoundedRect:
            if (shape.bounds.isEmpty()) return;
            canvas.fillRoundedRect(shape.bounds, shape.radius, shape.color);
            return;
    }
}

}  // namespace

void drawShapes(const ShapeList& shapes) {
    Canvas* canvas = currentCanvas();
    if (canvas == nullptr) return;
    for (const Shape& shape : shapes) {
        if (shape.color.alpha > 0.0) drawShape(*canvas, shape);
    }
}

double pixelsPerPointOfDrawing() {
    const Canvas* canvas = currentCanvas();
    if (canvas == nullptr) return 1.0;
    const double scale = canvas->pixelsPerPoint();
    return scale > 0.0 ? scale : 1.0;
}

}  // namespace ui
