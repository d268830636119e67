// The file descriptor of the display connection behind a host view: a host that watches it for
// its plug-in (as CLAP hosts do) calls processPendingEvents when the server has sent something.
#pragma once

namespace ui {
class View;
}

namespace ui::x11 {

// The connection's descriptor; -1 when `hostView` is no host view of this backend.
int connectionFileOf(const View& hostView);

}  // namespace ui::x11
