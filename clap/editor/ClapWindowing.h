// What the editor needs of the platform it is built for: the window API a CLAP host names, the
// window system that shows the editor in the host's window, and, where the host watches the
// display connection for us, its file descriptor.
#pragma once

#include "ClapExtensions.h"
#include "WindowSystem.h"

namespace ui {
class View;
}

struct ClapWindowing {
    const char* api;  // CLAP_WINDOW_API_X11 or CLAP_WINDOW_API_WIN32
    ui::WindowSystemFactory makeWindowSystem;
    // The handle viewForHandle takes for the host's window.
    void* (*handleOf)(const clap_window_t& window);
    // The connection's descriptor behind a host view; null where there is none to watch.
    int (*connectionFileOf)(const ui::View& hostView);
};

// The platform's, chosen by the plug-in's assembly.
const ClapWindowing& clapWindowing();
