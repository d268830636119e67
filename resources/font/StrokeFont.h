// Lettering as round-capped strokes of a small squared typeface kept in this program, so the
// pictures and the editor's own lettering come out the same on every machine with no installed
// fonts. Glyphs are designed in units: the baseline at 0, capitals 10 high, lower case 7. The
// font only makes outlines; whoever draws them strokes them with their own colour, at the
// style's stroke width with round caps and joins.
#pragma once

#include <string_view>

struct TextStyle {
    double capHeight = 7.0;       // in the drawing's units (pixels of a picture, points of a view)
    double strokeWidth = 1.1;     // the same units
    double tracking = 0.0;        // extra space between letters, the same units
    bool snapToPixels = false;    // straight strokes on the pixel grid: crisp small lettering
    double pixelsPerPoint = 1.0;  // the grid snapped to: device pixels per unit of the drawing
};

namespace stroke_font {

// Where the outlines go: a drawing library's path, or a list of shapes.
class PathSink {
public:
    virtual void moveTo(double x, double y) = 0;
    virtual void lineTo(double x, double y) = 0;
    virtual void curveTo(double x1, double y1, double x2, double y2, double x3, double y3) = 0;
    virtual void closePath() = 0;

protected:
    ~PathSink() = default;
};

// Whether every character of `text` has a glyph; one without is left as a space's gap.
bool canDraw(std::string_view text);

double textWidth(std::string_view text, const TextStyle& style);

// The outlines of the text, starting at x on the baseline, with y growing downward.
void addText(PathSink& path, std::string_view text, double x, double baseline,
             const TextStyle& style);

}  // namespace stroke_font
