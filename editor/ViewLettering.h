// The stroke font as shapes of a view, for lettering the editor makes at run time. Positions are
// given as the picture program gives them, from the view's top edge downward, so a line of
// lettering sits where the same numbers put it in a picture.
#pragma once

#include <string_view>

#include "FaceColours.h"
#include "Shapes.h"
#include "StrokeFont.h"

namespace view_lettering {

ui::Color colourOf(Colour colour);

// Appends the strokes of `text` from x on the baseline (measured down from the top of a view
// `viewHeight` high), in `colour` at the style's width.
void letter(ui::ShapeList& shapes, std::string_view text, double x, double baseline,
            const TextStyle& style, Colour colour, double viewHeight);

// Lettering pressed into the panel, as the pictures engrave theirs: a dark line a point lower,
// then the light one.
void engrave(ui::ShapeList& shapes, std::string_view text, double x, double baseline,
             const TextStyle& style, Colour colour, double viewHeight);

}  // namespace view_lettering
