#include "x11/X11ChildWindow.h"

#include "x11/X11HostView.h"

namespace ui::x11 {

std::uintptr_t childWindowOf(const View& hostView, const View& child) {
    const auto* host = dynamic_cast<const X11HostView*>(&hostView);
    if (host == nullptr) return 0;
    const X11Surface* surface = host->surfaceOf(child);
    return surface != nullptr ? static_cast<std::uintptr_t>(surface->xWindow()) : 0;
}

}  // namespace ui::x11
