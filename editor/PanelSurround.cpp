#include "PanelSurround.h"

#include <algorithm>
#include <cmath>

#include "FaceColours.h"
#include "Shapes.h"
#include "ViewLettering.h"

namespace {

// The panel's grade from its top colour to its bottom one, in bands one colour step apart: as
// smooth as the colours allow, and a handful of rectangles.
Colour gradeAt(double fraction) {
    const Colour top = palette::panelTop;
    const Colour bottom = palette::panelBottom;
    const double f = std::clamp(fraction, 0.0, 1.0);
    return {top.r + (bottom.r - top.r) * f, top.g + (bottom.g - top.g) * f,
            top.b + (bottom.b - top.b) * f, 1.0};
}

constexpr int kBands = 32;

}  // namespace

PanelSurround::PanelSurround(std::shared_ptr<ui::View> view)
    : View(ui::Rect{ui::Point{}, view->frame().size}),
      editorView(std::move(view)),
      editorSize(editorView->frame().size) {
    editorView->setFrame(ui::Rect{ui::Point{}, editorSize});
    addSubview(editorView);
}

void PanelSurround::fit(ui::Size area) {
    const ui::Size size{std::max(area.width, editorSize.width),
                        std::max(area.height, editorSize.height)};
    if (size != frame().size) setFrame(ui::Rect{frame().origin, size});
    // Views measure upward: the editor's top edge meets the surround's.
    editorView->setFrame(ui::Rect{ui::Point{0.0, size.height - editorSize.height}, editorSize});
}

void PanelSurround::superviewResized(ui::Size size) { fit(size); }

void PanelSurround::draw(ui::Rect dirtyRect) {
    const ui::Rect editorArea = editorView->frame();
    // Where the editor covers all that needs drawing, it draws it.
    if (editorArea.intersection(dirtyRect) == dirtyRect) return;
    const ui::Rect all = bounds();
    // Band edges on whole pixels, so that no seam between two bands lets anything through.
    const double s = ui::pixelsPerPointOfDrawing();
    const auto onPixels = [s](double points) { return std::round(points * s) / s; };
    ui::ShapeList bands;
    for (int band = 0; band < kBands; ++band) {
        // Rows from the top, as the panel's grade runs.
        const double top = onPixels(all.size.height * band / kBands);
        const double bottom = onPixels(all.size.height * (band + 1) / kBands);
        const Colour colour = gradeAt((top + bottom) / 2.0 / editorSize.height);
        bands.push_back(
            ui::Shape::roundedRect({0.0, all.size.height - bottom, all.size.width, bottom - top},
                                   0.0, view_lettering::colourOf(colour)));
    }
    ui::drawShapes(bands);
}
