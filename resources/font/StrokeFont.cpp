#include "StrokeFont.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// One glyph: its width in units and its strokes. A stroke is a list of points "x,y", each
// optionally rounded off with a corner radius "x,y:r"; a trailing "z" closes the stroke, ';'
// separates strokes and a single point draws a dot.
struct GlyphShape {
    char character;
    double width;
    const char* strokes;
};

constexpr std::array glyphs{
    GlyphShape{' ', 2.0, ""},
    GlyphShape{'!', 0.0, "0,3.5 0,10 ; 0,0"},
    // Its rings small and in the corners, well clear of the stroke: at the readout's six points,
    // rings beside the stroke merge with it and the sign reads as a slash.
    GlyphShape{'%', 10.0, "2,0 8,10 ; 0,7 0,10 2.5,10 2.5,7 z ; 7.5,0 7.5,3 10,3 10,0 z"},
    GlyphShape{'-', 4.5, "0,4.5 4.5,4.5"},
    GlyphShape{'.', 0.0, "0,0"},
    GlyphShape{'/', 5.0, "0,0 5,10"},
    GlyphShape{'0', 7.0, "0,0:2.3 0,10:2.3 7,10:2.3 7,0:2.3 z"},
    GlyphShape{'1', 3.0, "0,7.6 2.6,10 2.6,0"},
    GlyphShape{'2', 7.0, "0,10 7,10:2.3 7,5:2.3 0,5:2.3 0,0 7,0"},
    GlyphShape{'3', 7.0, "0,10 7,10:2.3 7,0:2.3 0,0 ; 2.5,5 7,5"},
    GlyphShape{'4', 7.5, "0,10 0,4 7.5,4 ; 5.5,10 5.5,0"},
    GlyphShape{'5', 7.0, "7,10 0,10 0,5 7,5:2.3 7,0:2.3 0,0"},
    GlyphShape{'6', 7.0, "7,10 0,10:2.3 0,0:2.3 7,0:2.3 7,5:2.3 0,5"},
    GlyphShape{'7', 7.0, "0,10 7,10 2.5,0"},
    GlyphShape{'8', 7.0, "0,0:2.3 0,10:2.3 7,10:2.3 7,0:2.3 z ; 0,5 7,5"},
    GlyphShape{'9', 7.0, "0,0 7,0:2.3 7,10:2.3 0,10:2.3 0,5:2.3 7,5"},
    GlyphShape{'A', 8.0, "0,0 0,10:2.5 8,10:2.5 8,0 ; 0,4.5 8,4.5"},
    GlyphShape{'B', 8.0, "0,0 0,10 6.8,10:2.2 6.8,5.2:2.2 0,5.2 ; 0,5.2 8,5.2:2.4 8,0:2.4 0,0"},
    GlyphShape{'C', 8.0, "8,10 0,10:2.5 0,0:2.5 8,0"},
    GlyphShape{'D', 8.0, "0,0 0,10 8,10:2.5 8,0:2.5 z"},
    GlyphShape{'E', 7.5, "7.5,10 0,10 0,0 7.5,0 ; 0,5 6,5"},
    GlyphShape{'F', 7.5, "7.5,10 0,10 0,0 ; 0,5 6,5"},
    GlyphShape{'G', 8.0, "8,10 0,10:2.5 0,0:2.5 8,0:2.5 8,4.5 4.5,4.5"},
    GlyphShape{'H', 8.0, "0,0 0,10 ; 8,0 8,10 ; 0,5 8,5"},
    GlyphShape{'I', 0.0, "0,0 0,10"},
    GlyphShape{'J', 7.0, "7,10 7,0:2.5 0,0:2 0,3"},
    GlyphShape{'K', 7.5, "0,0 0,10 ; 7.5,10 2.6,5 7.5,0 ; 0,5 2.6,5"},
    GlyphShape{'L', 7.0, "0,10 0,0 7,0"},
    GlyphShape{'M', 10.0, "0,0 0,10 5,4 10,10 10,0"},
    GlyphShape{'N', 8.0, "0,0 0,10 8,0 8,10"},
    GlyphShape{'O', 8.0, "0,0:2.5 0,10:2.5 8,10:2.5 8,0:2.5 z"},
    GlyphShape{'P', 8.0, "0,0 0,10 8,10:2.5 8,4.5:2.5 0,4.5"},
    GlyphShape{'Q', 8.0, "0,0:2.5 0,10:2.5 8,10:2.5 8,0:2.5 z ; 5,2.5 8.5,-1"},
    GlyphShape{'R', 8.0, "0,0 0,10 8,10:2.5 8,4.5:2.5 0,4.5 ; 4.5,4.5 8,0"},
    GlyphShape{'S', 8.0, "8,10 0,10:2.3 0,5:2.3 8,5:2.3 8,0:2.3 0,0"},
    GlyphShape{'T', 8.0, "0,10 8,10 ; 4,10 4,0"},
    GlyphShape{'U', 8.0, "0,10 0,0:2.5 8,0:2.5 8,10"},
    GlyphShape{'V', 8.0, "0,10 4,0 8,10"},
    GlyphShape{'W', 11.0, "0,10 2.75,0 5.5,8 8.25,0 11,10"},
    GlyphShape{'X', 8.0, "0,0 8,10 ; 0,10 8,0"},
    GlyphShape{'Y', 8.0, "0,10 4,5 8,10 ; 4,5 4,0"},
    GlyphShape{'Z', 8.0, "0,10 8,10 0,0 8,0"},
    GlyphShape{'a', 6.5, "0.5,7 6.5,7:2 6.5,0 0,0:2 0,4:2 6.5,4"},
    GlyphShape{'c', 6.5, "6.5,7 0,7:2 0,0:2 6.5,0"},
    GlyphShape{'d', 6.5, "6.5,10 6.5,0 0,0:2 0,7:2 6.5,7"},
    GlyphShape{'e', 6.5, "0,3.6 6.5,3.6 6.5,7:2 0,7:2 0,0:2 6.5,0"},
    GlyphShape{'f', 4.5, "1.5,0 1.5,10:1.5 4.5,10 ; 0,7 4.5,7"},
    GlyphShape{'g', 6.5, "6.5,7 0,7:2 0,0:2 6.5,0 ; 6.5,7 6.5,-3:2 0,-3"},
    GlyphShape{'h', 6.5, "0,0 0,10 ; 0,7 6.5,7:2 6.5,0"},
    GlyphShape{'i', 0.0, "0,0 0,7 ; 0,9.6"},
    GlyphShape{'l', 0.0, "0,0 0,10"},
    GlyphShape{'m', 10.0, "0,0 0,7 10,7:2 10,0 ; 5,7 5,0"},
    GlyphShape{'n', 6.5, "0,0 0,7 6.5,7:2 6.5,0"},
    GlyphShape{'o', 6.5, "0,0:2 0,7:2 6.5,7:2 6.5,0:2 z"},
    GlyphShape{'p', 6.5, "0,-3 0,7 6.5,7:2 6.5,0:2 0,0"},
    GlyphShape{'r', 5.0, "0,0 0,7 5,7"},
    GlyphShape{'s', 6.5, "6.5,7 0,7:1.8 0,3.5:1.7 6.5,3.5:1.7 6.5,0:1.8 0,0"},
    GlyphShape{'t', 4.5, "1.5,10 1.5,0:1.5 4.5,0 ; 0,7 4.5,7"},
    GlyphShape{'u', 6.5, "0,7 0,0:2 6.5,0 6.5,7"},
    GlyphShape{'v', 6.5, "0,7 3.25,0 6.5,7"},
    GlyphShape{'y', 6.5, "0,7 0,2.5:2 6.5,2.5 ; 6.5,7 6.5,-3:2 0,-3"},
};

// Space between two letters, in units, before tracking.
constexpr double letterGap = 2.6;

const GlyphShape* glyphFor(char character) {
    for (const GlyphShape& glyph : glyphs) {
        if (glyph.character == character) return &glyph;
    }
    return nullptr;
}

// A letter without a glyph leaves the gap of a space: lettering made at run time from numbers
// and names never stops over one odd character.
const GlyphShape& glyphOrSpace(char character) {
    const GlyphShape* glyph = glyphFor(character);
    return glyph != nullptr ? *glyph : glyphs.front();
}

struct Vertex {
    double x;
    double y;
    double radius;
};

struct Stroke {
    std::vector<Vertex> vertices;
    bool closed = false;
};

std::vector<Stroke> parseStrokes(const char* text) {
    std::vector<Stroke> strokes(1);
    const char* p = text;
    while (*p != '\0') {
        if (*p == ' ') {
            ++p;
        } else if (*p == ';') {
            strokes.emplace_back();
            ++p;
        } else if (*p == 'z') {
            strokes.back().closed = true;
            ++p;
        } else {
            char* end = nullptr;
            Vertex vertex{std::strtod(p, &end), 0.0, 0.0};
            vertex.y = std::strtod(end + 1, &end);  // skip the comma
            if (*end == ':') vertex.radius = std::strtod(end + 1, &end);
            strokes.back().vertices.push_back(vertex);
            p = end;
        }
    }
    if (strokes.back().vertices.empty()) strokes.pop_back();
    return strokes;
}

// Every glyph's strokes, read from the table once: lettering drawn again and again (a value
// shown while a knob turns) does not parse the same text each time.
const std::vector<Stroke>& strokesOf(const GlyphShape& glyph) {
    static const auto parsed = [] {
        std::array<std::vector<Stroke>, glyphs.size()> all;
        for (std::size_t k = 0; k < glyphs.size(); ++k) all[k] = parseStrokes(glyphs[k].strokes);
        return all;
    }();
    return parsed[static_cast<std::size_t>(&glyph - glyphs.data())];
}

struct Point {
    double x;
    double y;
};

Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }
double lengthOf(Point a) { return std::hypot(a.x, a.y); }

// Goes from the current point towards the corner and around it on a circular arc of the given
// radius (a cubic Bezier), ending on the way to the next point.
void roundCorner(stroke_font::PathSink& path, Point previous, Point corner, Point next,
                 double radius) {
    const Point toPrevious = previous - corner;
    const Point toNext = next - corner;
    const double lengthPrevious = lengthOf(toPrevious);
    const double lengthNext = lengthOf(toNext);
    if (radius <= 0.0 || lengthPrevious == 0.0 || lengthNext == 0.0) {
        path.lineTo(corner.x, corner.y);
        return;
    }
    const Point u = toPrevious * (1.0 / lengthPrevious);
    const Point v = toNext * (1.0 / lengthNext);
    const double cosine = std::max(-1.0, std::min(1.0, u.x * v.x + u.y * v.y));
    const double between = std::acos(cosine);  // angle between the two legs
    if (between > 3.14159) {                   // straight on: nothing to round
        path.lineTo(corner.x, corner.y);
        return;
    }
    const double tangent =
        std::min({radius / std::tan(between / 2.0), lengthPrevious / 2.0, lengthNext / 2.0});
    const double usedRadius = tangent * std::tan(between / 2.0);
    const double turn = 3.141592653589793 - between;
    const double handle = 4.0 / 3.0 * std::tan(turn / 4.0) * usedRadius;
    const Point start = corner + u * tangent;
    const Point end = corner + v * tangent;
    const Point control1 = start - u * handle;
    const Point control2 = end - v * handle;
    path.lineTo(start.x, start.y);
    path.curveTo(control1.x, control1.y, control2.x, control2.y, end.x, end.y);
}

// How strokes sit on the pixel grid of `pixelsPerPoint`: a stroke an odd number of pixels wide
// is crisp centred on pixel centres, an even one centred on the lines between pixels.
struct PixelGrid {
    double pixelsPerPoint;
    bool onCentres;

    explicit PixelGrid(const TextStyle& style)
        : pixelsPerPoint(style.pixelsPerPoint > 0.0 ? style.pixelsPerPoint : 1.0),
          onCentres(std::lround(style.strokeWidth * pixelsPerPoint) % 2 != 0 ||
                    std::lround(style.strokeWidth * pixelsPerPoint) == 0) {}

    double snapped(double coordinate) const {
        const double pixels = coordinate * pixelsPerPoint;
        return (onCentres ? std::floor(pixels) + 0.5 : std::round(pixels)) / pixelsPerPoint;
    }
    double wholePixelsDown(double length) const {
        return std::floor(length * pixelsPerPoint) / pixelsPerPoint;
    }
    double nearestWholePixels(double length) const {
        return std::round(length * pixelsPerPoint) / pixelsPerPoint;
    }
};

void addStroke(stroke_font::PathSink& path, const Stroke& stroke, double originX, double baseline,
               double scale, const TextStyle& style) {
    const PixelGrid grid(style);
    std::vector<Point> points;
    for (const Vertex& vertex : stroke.vertices) {
        Point point{originX + vertex.x * scale, baseline - vertex.y * scale};
        if (style.snapToPixels) point = {grid.snapped(point.x), grid.snapped(point.y)};
        points.push_back(point);
    }
    const std::size_t count = points.size();
    if (count == 1) {  // a dot: a round cap on a zero-length stroke
        path.moveTo(points[0].x, points[0].y);
        path.lineTo(points[0].x, points[0].y);
        return;
    }
    if (stroke.closed) {
        const Point start = (points[count - 1] + points[0]) * 0.5;
        path.moveTo(start.x, start.y);
        for (std::size_t i = 0; i < count; ++i) {
            roundCorner(path, points[(i + count - 1) % count], points[i], points[(i + 1) % count],
                        stroke.vertices[i].radius * scale);
        }
        path.closePath();
        return;
    }
    path.moveTo(points[0].x, points[0].y);
    for (std::size_t i = 1; i + 1 < count; ++i) {
        roundCorner(path, points[i - 1], points[i], points[i + 1],
                    stroke.vertices[i].radius * scale);
    }
    path.lineTo(points[count - 1].x, points[count - 1].y);
}

double unitScale(const TextStyle& style) { return style.capHeight / 10.0; }

// How far the next letter starts from this one. Snapped lettering moves in whole pixels, so
// that every gap between two letters comes out the same once the strokes sit on the grid.
double advance(const GlyphShape& glyph, const TextStyle& style) {
    const double scale = unitScale(style);
    if (!style.snapToPixels) return glyph.width * scale + letterGap * scale + style.tracking;
    const PixelGrid grid(style);
    return grid.wholePixelsDown(glyph.width * scale) +
           grid.nearestWholePixels(letterGap * scale + style.tracking);
}

double inkWidth(const GlyphShape& glyph, const TextStyle& style) {
    const double width = glyph.width * unitScale(style);
    return style.snapToPixels ? PixelGrid(style).wholePixelsDown(width) : width;
}

}  // namespace

namespace stroke_font {

bool canDraw(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return glyphFor(c) != nullptr; });
}

double textWidth(std::string_view text, const TextStyle& style) {
    double width = 0.0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const GlyphShape& glyph = glyphOrSpace(text[i]);
        width += i + 1 < text.size() ? advance(glyph, style) : inkWidth(glyph, style);
    }
    return width;
}

void addText(PathSink& path, std::string_view text, double x, double baseline,
             const TextStyle& style) {
    const double scale = unitScale(style);
    double originX = style.snapToPixels ? PixelGrid(style).nearestWholePixels(x) : x;
    for (char character : text) {
        const GlyphShape& glyph = glyphOrSpace(character);
        for (const Stroke& stroke : strokesOf(glyph)) {
            addStroke(path, stroke, originX, baseline, scale, style);
        }
        originX += advance(glyph, style);
    }
}

}  // namespace stroke_font
