#include "ViewLettering.h"

namespace view_lettering {

namespace {

// Outlines into a path of the view, turned from rows counted downward to y growing upward.
class ViewPath final : public stroke_font::PathSink {
public:
    ViewPath(ui::Path& into, double viewHeight) : path(into), height(viewHeight) {}
    void moveTo(double x, double y) override { path.moveTo({x, height - y}); }
    void lineTo(double x, double y) override { path.lineTo({x, height - y}); }
    void curveTo(double x1, double y1, double x2, double y2, double x3, double y3) override {
        path.curveTo({x1, height - y1}, {x2, height - y2}, {x3, height - y3});
    }
    void closePath() override { path.close(); }

private:
    ui::Path& path;
    double height;
};

}  // namespace

ui::Color colourOf(Colour colour) { return {colour.r, colour.g, colour.b, colour.a}; }

ui::Shape lettering(std::string_view text, double x, double baseline, const TextStyle& style,
                    Colour colour, double viewHeight) {
    ui::Shape shape;
    ViewPath path(shape.path, viewHeight);
    stroke_font::addText(path, text, x, baseline, style);
    shape.stroke = colourOf(colour);
    shape.lineWidth = style.strokeWidth;
    shape.cap = ui::LineCap::Round;
    return shape;
}

void engrave(ui::ShapeList& shapes, std::string_view text, double x, double baseline,
             const TextStyle& style, Colour colour, double viewHeight) {
    shapes.push_back(
        lettering(text, x, baseline + 1.0, style, palette::black.withAlpha(0.55), viewHeight));
    shapes.push_back(lettering(text, x, baseline, style, colour, viewHeight));
}

}  // namespace view_lettering
