// The display's picture of the echoes the current settings make: the dry sound at the left,
// then every repeat at its time, its level on the left output drawn upward and on the right
// output downward, darker and thinner as the filters take their share.
#pragma once

#include "EchoTrain.h"
#include "Geometry.h"
#include "Shapes.h"

namespace echo_picture {

// How much time the display spans, in seconds: the longest delay and a little more.
constexpr double kWindow = 1.2;

// The shapes for a display of `size` points drawn at `pixelsPerPoint`, in its own coordinates.
ui::ShapeList echoPicture(const echo_train::ParameterValues& values, ui::Size size,
                          double pixelsPerPoint);

}  // namespace echo_picture
