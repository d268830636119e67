#include "KnobFace.h"

void KnobFace::draw(ui::Rect /*dirtyRect*/) {
    if (picture) picture->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
}

ui::View* KnobFace::hitTest(ui::Point /*point*/) { return nullptr; }
