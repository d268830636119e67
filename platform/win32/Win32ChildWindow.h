// The child window that shows a view added to a host's view, for whoever needs to reach it (a
// test sends it the mouse).
#pragma once

#include <windows.h>

namespace ui {
class View;
}

namespace ui::win32 {

class Win32Surface;

// The surface showing `child` in `hostView` (a view viewForHandle gave); null when `hostView` is
// no host view of this backend or `child` is not shown in it.
Win32Surface* surfaceShowing(const View& hostView, const View& child);

}  // namespace ui::win32
