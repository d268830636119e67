// A canvas over a cairo context: the context's current transform is the canvas's.
#pragma once

#include <cairo.h>

#include "Canvas.h"

namespace ui::cairo {

class CairoCanvas : public Canvas {
public:
    // Draws on `context`, which stays the caller's.
    explicit CairoCanvas(cairo_t* context) : cr(context) {}

    double pixelsPerPoint() const override;
    void save() override;
    void restore() override;
    void translate(double dx, double dy) override;
    void scale(double sx, double sy) override;
    void clipToRect(Rect rect) override;
    void beginLayer() override;
    void endLayer() override;
    void fillRect(Rect rect, Color color, CompositingOperation operation) override;
    void fillRoundedRect(Rect rect, double radius, Color color) override;
    void fillEllipse(Rect bounds, Color color) override;
    void fillPolygon(std::span<const Point> corners, Color color) override;
    void strokePolyline(std::span<const Point> points, double width, Color color) override;
    void drawPicture(const DecodedPicture& picture, Rect from, Rect to,
                     CompositingOperation operation, double opacity) override;

private:
    void fillPath(Color color);

    cairo_t* cr;
};

}  // namespace ui::cairo
