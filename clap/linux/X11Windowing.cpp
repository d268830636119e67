// The editor on Linux: a child window of the host's X window, on a display connection of its own
// that the host watches for us.
#include "ClapWindowing.h"
#include "x11/X11ConnectionFile.h"
#include "x11/X11WindowSystem.h"

namespace {

std::unique_ptr<ui::WindowSystem> makeSystem() { return ui::x11::makeX11WindowSystem(); }

const ClapWindowing kX11{
    CLAP_WINDOW_API_X11,
    makeSystem,
    [](const clap_window_t& window) { return reinterpret_cast<void*>(window.x11); },
    ui::x11::connectionFileOf,
};

}  // namespace

const ClapWindowing& clapWindowing() { return kX11; }
