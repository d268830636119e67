// The CLAP editor on Windows: child windows of the host's HWND on the Win32 window system. The
// host's message loop brings their messages; its timer draws what is due. There is no display
// connection to watch.
#include "ClapWindowing.h"
#include "win32/Win32WindowSystem.h"

namespace {

const ClapWindowing kWin32{
    CLAP_WINDOW_API_WIN32,
    ui::win32::makeWin32WindowSystem,
    [](const clap_window_t& window) { return window.win32; },
    nullptr,
};

}  // namespace

const ClapWindowing& clapWindowing() { return kWin32; }
