#include "EchoPicture.h"

#include <algorithm>
#include <cmath>

#include "EditorLayout.h"
#include "FaceColours.h"
#include "ViewLettering.h"

namespace echo_picture {

namespace {

// Quieter than this, a repeat is under a pixel high at twice the pixels: it is left out.
constexpr double kQuietest = 0.01;
constexpr int kMostRepeats = 96;
constexpr double kDryX = 26.5;
constexpr double kRightMargin = 10.0;
constexpr double kLineWidth = 2.0;

// The geometry of a display, in its rows counted downward, and the pixel grid it lands on.
struct Display {
    ui::Size size;
    double pixelsPerPoint;

    double middle() const { return layout::echoMiddleRow(size.height); }
    double fullLevel() const { return layout::echoFullLevel(size.height); }
    double xAt(double seconds) const {
        return kDryX + seconds / kWindow * (size.width - kRightMargin - kDryX);
    }
    // On a pixel's centre, where an odd number of pixels wide line is sharp.
    double onPixel(double x) const {
        return (std::floor(x * pixelsPerPoint) + 0.5) / pixelsPerPoint;
    }
    ui::Point at(double x, double rowDown) const { return {x, size.height - rowDown}; }
};

// Toward the glass, as a repeat the low-pass has darkened fades into it; never all the way, so
// that a dark repeat still shows where it is.
Colour darkened(Colour colour, double brightness) {
    const Colour glass = palette::glassBottom;
    const double kept = 0.25 + 0.75 * brightness;
    return {glass.r + (colour.r - glass.r) * kept, glass.g + (colour.g - glass.g) * kept,
            glass.b + (colour.b - glass.b) * kept, colour.a};
}

ui::Shape line(ui::Point from, ui::Point to, Colour colour, double width) {
    return ui::Shape::line({from, to}, width, view_lettering::colourOf(colour));
}

// A line that glows: a wide faint stroke, a narrower one, then the bright core.
void glowingLine(ui::ShapeList& shapes, ui::Point from, ui::Point to, Colour colour, double width) {
    shapes.push_back(line(from, to, colour.withAlpha(0.10 * colour.a), width * 4.5));
    shapes.push_back(line(from, to, colour.withAlpha(0.30 * colour.a), width * 2.2));
    shapes.push_back(line(from, to, colour, width));
}

void dot(ui::ShapeList& shapes, ui::Point centre, double radius, Colour colour) {
    shapes.push_back(
        ui::Shape::ellipse({centre.x - radius, centre.y - radius, 2.0 * radius, 2.0 * radius},
                           view_lettering::colourOf(colour)));
}

// One side's repeat: a bar from the middle, `direction` -1 upward (left) or 1 downward (right).
void drawRepeat(ui::ShapeList& shapes, const Display& display, double x, double level,
                double direction, Colour colour, const echo_train::Echo& echo) {
    const double length = display.fullLevel() * level;
    if (length * display.pixelsPerPoint < 0.5) return;
    // Thinner as the high-pass takes the body away, down to half the full width.
    const double width = kLineWidth * (0.5 + 0.5 * echo.body);
    const ui::Point from = display.at(x, display.middle());
    const ui::Point to = display.at(x, display.middle() + direction * length);
    glowingLine(shapes, from, to, darkened(colour, echo.brightness), width);
    dot(shapes, to, 0.9 + 0.6 * echo.body,
        darkened(rgb(255, 250, 236), echo.brightness).withAlpha(0.9));
}

// Faint lines through the tips of one side's repeats: the way the echo dies away.
void drawEnvelope(ui::ShapeList& shapes, const Display& display,
                  const std::vector<echo_train::Echo>& echoes, bool left, Colour colour) {
    if (echoes.size() < 2) return;
    std::vector<ui::Point> tips;
    const double direction = left ? -1.0 : 1.0;
    for (const echo_train::Echo& echo : echoes) {
        const double level = left ? echo.left : echo.right;
        tips.push_back(display.at(display.onPixel(display.xAt(echo.seconds)),
                                  display.middle() + direction * display.fullLevel() * level));
    }
    shapes.push_back(
        ui::Shape::line(std::move(tips), 0.8, view_lettering::colourOf(colour.withAlpha(0.25))));
}

}  // namespace

ui::ShapeList echoPicture(const echo_train::ParameterValues& values, ui::Size size,
                          double pixelsPerPoint) {
    const Display display{size, pixelsPerPoint > 0.0 ? pixelsPerPoint : 1.0};
    const std::vector<echo_train::Echo> echoes =
        echo_train::echoesOf(values, kWindow, kQuietest, kMostRepeats);
    ui::ShapeList shapes;
    drawEnvelope(shapes, display, echoes, true, palette::accent);
    drawEnvelope(shapes, display, echoes, false, palette::secondAccent);

    // The dry sound, on both sides at full level.
    const double dryX = display.onPixel(kDryX);
    glowingLine(shapes, display.at(dryX, display.middle() - display.fullLevel()),
                display.at(dryX, display.middle() + display.fullLevel()), rgb(236, 238, 242),
                kLineWidth);
    for (const echo_train::Echo& echo : echoes) {
        const double x = display.onPixel(display.xAt(echo.seconds));
        drawRepeat(shapes, display, x, echo.left, -1.0, palette::accent, echo);
        drawRepeat(shapes, display, x, echo.right, 1.0, palette::secondAccent, echo);
    }
    return shapes;
}

}  // namespace echo_picture
