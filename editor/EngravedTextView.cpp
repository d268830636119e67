#include "EngravedTextView.h"

#include <cmath>

#include "Shapes.h"
#include "ViewLettering.h"

EngravedTextView::EngravedTextView(ui::Rect frame, std::string text, TextStyle textStyle,
                                   Colour textColour, double textBaseline)
    : View(frame),
      _text(std::move(text)),
      style(textStyle),
      colour(textColour),
      baseline(textBaseline) {}

void EngravedTextView::draw(ui::Rect /*dirtyRect*/) {
    if (_text.empty()) return;
    TextStyle onGrid = style;
    onGrid.pixelsPerPoint = ui::pixelsPerPointOfDrawing();
    const double x = bounds().size.width - stroke_font::textWidth(_text, onGrid);
    ui::ShapeList shapes;
    view_lettering::engrave(shapes, _text, x, baseline, onGrid, colour, bounds().size.height);
    ui::drawShapes(shapes);
}
