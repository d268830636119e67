// The window system of a Windows desktop. A Windows host passes one of its windows (an HWND) as
// the editor's handle; viewForHandle gives that window as a view, and a view added to it becomes
// a child window of ours inside it. The host's own message loop brings the windows their
// messages; processPendingEvents, from the host's idle, draws what is due.
#pragma once

#include <memory>

#include "WindowSystem.h"

namespace ui::win32 {

std::unique_ptr<WindowSystem> makeWin32WindowSystem();

}  // namespace ui::win32
