#include "CurrentCanvas.h"

namespace ui {

namespace {
thread_local Canvas* canvasInUse = nullptr;
}

Canvas* currentCanvas() { return canvasInUse; }

CurrentCanvas::CurrentCanvas(Canvas& canvas) : previous(canvasInUse) { canvasInUse = &canvas; }

CurrentCanvas::~CurrentCanvas() { canvasInUse = previous; }

}  // namespace ui
