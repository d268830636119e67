// What the X11 tests and measurements share: the user's pointer and button as XTest fakes them,
// and the processor time of this process and of the X server.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace xtest {

// The pointer, as the user moves it, at (x, y) of the given window.
inline void movePointer(Display* dpy, ::Window window, int x, int y) {
    int rootX = 0, rootY = 0;
    ::Window child = 0;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), x, y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(dpy, -1, rootX, rootY, CurrentTime);
    XSync(dpy, False);
}

// The first button pressed or released.
inline void button(Display* dpy, bool down) {
    XTestFakeButtonEvent(dpy, 1, down ? True : False, CurrentTime);
    XSync(dpy, False);
}

// One notch of the wheel: up (away from the user) is button 4, down button 5.
inline void wheel(Display* dpy, bool up) {
    const unsigned wheelButton = up ? 4 : 5;
    XTestFakeButtonEvent(dpy, wheelButton, True, CurrentTime);
    XTestFakeButtonEvent(dpy, wheelButton, False, CurrentTime);
    XSync(dpy, False);
}

// The left Shift or Control key pressed or released.
inline void modifierKey(Display* dpy, KeySym key, bool down) {
    XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, key), down ? True : False, CurrentTime);
    XSync(dpy, False);
}

// Processor time of this process so far, in seconds.
inline double processSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Processor time (user and system) of another process, such as the X server, in seconds.
inline double serverSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14 || i == 15) ticks += std::stod(field);
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace xtest
