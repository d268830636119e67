#include "x11/X11ConnectionFile.h"

#include "x11/X11Connection.h"
#include "x11/X11HostView.h"

namespace ui::x11 {

int connectionFileOf(const View& hostView) {
    const auto* host = dynamic_cast<const X11HostView*>(&hostView);
    return host != nullptr ? ConnectionNumber(host->connection().display()) : -1;
}

}  // namespace ui::x11
