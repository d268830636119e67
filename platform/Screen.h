// A display screen: its area in screen coordinates (points, origin at the bottom-left of the
// first screen, y upward).
#pragma once

#include "Geometry.h"

namespace ui {

struct Screen {
    Rect frame;
    friend bool operator==(const Screen&, const Screen&) = default;
};

}  // namespace ui
