#include "ViewLettering.h"

namespace view_lettering {

namespace {

// The font's curves are the small roundings of its corners: a few straight pieces follow them
// closer than a pixel at the editor's sizes.
constexpr int kPiecesPerCurve = 6;

// Outlines as lines of the view, turned from rows counted downward to y growing upward.
class ViewStrokes final : public stroke_font::PathSink {
public:
    ViewStrokes(ui::ShapeList& into, double lineWidth, ui::Color lineColour, double viewHeight)
        : shapes(into), width(lineWidth), colour(lineColour), height(viewHeight) {}

    void moveTo(double x, double y) override {
        shapes.push_back(ui::Shape::line({at(x, y)}, width, colour));
    }
    void lineTo(double x, double y) override { current().push_back(at(x, y)); }
    void curveTo(double x1, double y1, double x2, double y2, double x3, double y3) override {
        std::vector<ui::Point>& points = current();
        const ui::Point p0 = points.back();
        const ui::Point p1 = at(x1, y1), p2 = at(x2, y2), p3 = at(x3, y3);
        for (int k = 1; k <= kPiecesPerCurve; ++k) {
            const double t = static_cast<double>(k) / kPiecesPerCurve;
            const double u = 1.0 - t;
            const double a = u * u * u, b = 3.0 * u * u * t, c = 3.0 * u * t * t, d = t * t * t;
            points.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                              a * p0.y + b * p1.y + c * p2.y + d * p3.y});
        }
    }
    void closePath() override {
        std::vector<ui::Point>& points = current();
        points.push_back(points.front());
    }

private:
    ui::Point at(double x, double y) const { return {x, height - y}; }
    std::vector<ui::Point>& current() { return shapes.back().points; }

    ui::ShapeList& shapes;
    double width;
    ui::Color colour;
    double height;
};

}  // namespace

ui::Color colourOf(Colour colour) { return {colour.r, colour.g, colour.b, colour.a}; }

void letter(ui::ShapeList& shapes, std::string_view text, double x, double baseline,
            const TextStyle& style, Colour colour, double viewHeight) {
    ViewStrokes strokes(shapes, style.strokeWidth, colourOf(colour), viewHeight);
    stroke_font::addText(strokes, text, x, baseline, style);
}

void engrave(ui::ShapeList& shapes, std::string_view text, double x, double baseline,
             const TextStyle& style, Colour colour, double viewHeight) {
    letter(shapes, text, x, baseline + 1.0, style, palette::black.withAlpha(0.55), viewHeight);
    letter(shapes, text, x, baseline, style, colour, viewHeight);
}

}  // namespace view_lettering
