// The layout's frames as the views take them.
#pragma once

#include "EditorLayout.h"
#include "Geometry.h"

inline ui::Rect rectOf(const layout::Frame& frame) {
    return {static_cast<double>(frame.x), static_cast<double>(frame.y),
            static_cast<double>(frame.width), static_cast<double>(frame.height)};
}

inline ui::Rect editorBounds() { return rectOf({0, 0, layout::viewWidth, layout::viewHeight}); }
