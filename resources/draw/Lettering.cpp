#include "Lettering.h"

#include <stdexcept>
#include <string>

namespace {

class CairoPath final : public stroke_font::PathSink {
public:
    explicit CairoPath(cairo_t* context) : cr(context) {}
    void moveTo(double x, double y) override { cairo_move_to(cr, x, y); }
    void lineTo(double x, double y) override { cairo_line_to(cr, x, y); }
    void curveTo(double x1, double y1, double x2, double y2, double x3, double y3) override {
        cairo_curve_to(cr, x1, y1, x2, y2, x3, y3);
    }
    void closePath() override { cairo_close_path(cr); }

private:
    cairo_t* cr;
};

void requireGlyphs(std::string_view text) {
    if (!stroke_font::canDraw(text)) {
        throw std::invalid_argument("no glyph for a letter of '" + std::string(text) + "'");
    }
}

}  // namespace

double textWidth(std::string_view text, const TextStyle& style) {
    requireGlyphs(text);
    return stroke_font::textWidth(text, style);
}

void addTextPath(cairo_t* cr, std::string_view text, double x, double baseline,
                 const TextStyle& style) {
    requireGlyphs(text);
    cairo_set_line_width(cr, style.strokeWidth);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    CairoPath path(cr);
    stroke_font::addText(path, text, x, baseline, style);
}

void addCenteredTextPath(cairo_t* cr, std::string_view text, double centerX, double baseline,
                         const TextStyle& style) {
    addTextPath(cr, text, centerX - textWidth(text, style) / 2.0, baseline, style);
}
