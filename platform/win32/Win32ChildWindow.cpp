#include "win32/Win32ChildWindow.h"

#include "win32/Win32HostView.h"

namespace ui::win32 {

Win32Surface* surfaceShowing(const View& hostView, const View& child) {
    const auto* host = dynamic_cast<const Win32HostView*>(&hostView);
    return host != nullptr ? host->surfaceOf(child) : nullptr;
}

}  // namespace ui::win32
