#include "ReadoutPicture.h"

#include <algorithm>
#include <cmath>

#include "EditorLayout.h"
#include "FaceColours.h"
#include "ViewLettering.h"

namespace readout_picture {

namespace {

constexpr double kInset = 6.0;  // from the display's right edge to the value's last letter
constexpr double kGap = 6.0;    // between the name and the value
// The plate fills the display's readout band but for a point at its top, where the glass rounds
// off; the lettering sits in it with room below the baseline for a "p".
constexpr double kPlateTop = 1.0;  // from the display's top edge
constexpr double kBaseline = 9.0;  // the same

// A stroke that covers whole pixels: its width rounded to a whole number of them.
TextStyle crisp(TextStyle style, double pixelsPerPoint) {
    style.pixelsPerPoint = pixelsPerPoint;
    style.strokeWidth =
        std::max(1.0, std::round(style.strokeWidth * pixelsPerPoint)) / pixelsPerPoint;
    return style;
}

}  // namespace

ui::ShapeList readoutPicture(const readout::Readout& shown, ui::Size size, double pixelsPerPoint) {
    ui::ShapeList shapes;
    if (shown.name.empty() && shown.value.empty()) return shapes;
    const double s = pixelsPerPoint > 0.0 ? pixelsPerPoint : 1.0;
    const TextStyle valueStyle = crisp({6.0, 1.1, 0.6, true}, s);
    const TextStyle nameStyle = crisp({4.5, 1.0, 1.2, true}, s);

    const double right = size.width - kInset;
    const double valueX = right - stroke_font::textWidth(shown.value, valueStyle);
    const double nameX = valueX - kGap - stroke_font::textWidth(shown.name, nameStyle);

    // A rim of the accent, then the plate inside it.
    const double plateLeft = std::max(2.0, std::floor(nameX - 5.0));
    const ui::Rect plate{plateLeft, size.height - layout::echoReadoutBand,
                         size.width - 2.0 - plateLeft, layout::echoReadoutBand - kPlateTop};
    const double rim = 1.0 / s;
    shapes.push_back(ui::Shape::roundedRect(
        plate, 3.0, view_lettering::colourOf(palette::accent.withAlpha(0.22))));
    shapes.push_back(ui::Shape::roundedRect(
        {plate.minX() + rim, plate.minY() + rim, plate.size.width - 2.0 * rim,
         plate.size.height - 2.0 * rim},
        3.0 - rim, view_lettering::colourOf(palette::glassTop.withAlpha(0.95))));

    view_lettering::letter(shapes, shown.name, nameX, kBaseline, nameStyle, palette::letteringDim,
                           size.height);
    view_lettering::letter(shapes, shown.value, valueX, kBaseline, valueStyle, palette::accent,
                           size.height);
    return shapes;
}

}  // namespace readout_picture
