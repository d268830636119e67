// The window system of an X11 desktop. A Linux host passes the id of one of its X windows as the
// editor's handle; viewForHandle gives that window as a view, and a view added to it becomes a
// plain child window of the host's. Each window system opens a display connection of its own
// (when first needed) and is pumped with processPendingEvents from the host's GUI thread.
#pragma once

#include <memory>
#include <string>

#include "WindowSystem.h"

namespace ui::x11 {

// A window system on `displayName` (empty: the DISPLAY environment variable). Without a display
// it still works: no screens, no host views, windows that show nothing.
std::unique_ptr<WindowSystem> makeX11WindowSystem(const std::string& displayName = {});

}  // namespace ui::x11
