// The canvas a display cycle is drawing on, for views and pictures to find from draw.
#pragma once

#include "Canvas.h"

namespace ui {

// The canvas of the view being drawn on this thread; null outside a display cycle.
Canvas* currentCanvas();

// Makes `canvas` the current one for its lifetime.
class CurrentCanvas {
public:
    explicit CurrentCanvas(Canvas& canvas);
    ~CurrentCanvas();
    CurrentCanvas(const CurrentCanvas&) = delete;
    CurrentCanvas& operator=(const CurrentCanvas&) = delete;

private:
    Canvas* previous;
};

}  // namespace ui
