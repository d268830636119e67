// The host's window as the X11 tests use it: the host side's parent window, into which the user
// points and clicks (as XTest fakes it).
#pragma once

#include "XTestSupport.h"

// Last: it brings Xlib, whose macros (None, Bool, Status...) would clash with the headers above.
#include "ParentWindow.h"

class HostWindow : public ParentWindow {
public:
    explicit HostWindow(unsigned width = 500, unsigned height = 300)
        : HostWindow(Place{0, 0, width, height}) {}
    explicit HostWindow(const Place& place) : ParentWindow(place), window(id()) {}

    // The pointer, as the user moves it, at (x, y) of this window.
    void movePointer(int x, int y) const { xtest::movePointer(display(), id(), x, y); }
    void button(bool down) const { xtest::button(display(), down); }
    void wheel(bool up) const { xtest::wheel(display(), up); }
    void shift(bool down) const { xtest::modifierKey(display(), XK_Shift_L, down); }

    void destroy() {
        ParentWindow::destroy();
        window = 0;
    }

    // The window's id, by the name the end-to-end tests read it.
    ::Window window;
};
