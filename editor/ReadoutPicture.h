// A readout drawn on the display in the header: the parameter's name and its value, on one line
// in the display's top right corner, over a dark plate in the band the echoes leave free for it.
#pragma once

#include "Geometry.h"
#include "ParameterReadout.h"
#include "Shapes.h"

namespace readout_picture {

// The shapes for a display of `size` points drawn at `pixelsPerPoint`, in its own coordinates.
ui::ShapeList readoutPicture(const readout::Readout& shown, ui::Size size, double pixelsPerPoint);

}  // namespace readout_picture
