// Keeps X protocol errors on our own display connection from ending the host's process. Xlib's
// default reaction to an error (a window the host destroyed before closing the editor, say) is to
// exit; while a trap is set, errors of the trapped display are counted and dropped, and errors of
// any other display (the host's own) go to the handler that was there before.
#pragma once

#include <X11/Xlib.h>

#include <list>

namespace ui::x11 {

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits until the server has answered every request made so far, then tells whether any of
    // the requests made since the trap was set failed.
    bool syncAndCheck();

    struct Record {
        Display* display;
        unsigned long firstRequest;  // serial of the first request made under the trap
        unsigned long errors;
    };

private:
    Display* trapped;
    std::list<Record>::iterator record;
};

}  // namespace ui::x11
