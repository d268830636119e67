// Programs linked with this file show their windows on the X display named by DISPLAY.
#include "x11/X11WindowSystem.h"

namespace ui {

std::unique_ptr<WindowSystem> makeDefaultWindowSystem() { return x11::makeX11WindowSystem(); }

}  // namespace ui
