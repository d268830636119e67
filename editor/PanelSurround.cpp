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
    const ui::Size before = frame().size;
    if (size != before) {
        unanswered = OwnChange{before, {area.width - before.width, area.height - before.height}};
        setFrame(ui::Rect{frame().origin, size});
    }
    // Views measure upward: the editor's top edge meets the surround's.
    editorView->setFrame(ui::Rect{ui::Point{0.0, size.height - editorSize.height}, editorSize});
}

void PanelSurround::superviewResized(ui::Size size) {
    const bool answer = answersOwnChange(size);
    if (answer) {
        answerMargin = ui::Size{size.width - frame().size.width, size.height - frame().size.height};
    }
    // Whatever the host did, it has now heard of the last change.
    unanswered.reset();
    if (!answer) fit(size);
}

// A host that keeps its margin over the surround in a direction the surround changed in, or takes
// the margin it answered with before, is fitting itself to the surround. (A host that merely holds
// its size keeps the margin only where the surround did not change, and a host resized by its
// user rarely matches either to the point.)
bool PanelSurround::answersOwnChange(ui::Size area) const {
    if (!unanswered) return false;
    const ui::Size now = frame().size;
    const ui::Size margin{area.width - now.width, area.height - now.height};
    const auto fitsWith = [&](ui::Size expected) {
        return (now.width != unanswered->before.width && margin.width == expected.width) ||
               (now.height != unanswered->before.height && margin.height == expected.height);
    };
    return fitsWith(unanswered->hostMargin) || (answerMargin && fitsWith(*answerMargin));
}

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
