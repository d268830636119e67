#include "x11/X11TopLevelWindow.h"

#include <X11/Xutil.h>

#include <cmath>
#include <cstdint>

#include "View.h"
#include "Window.h"
#include "x11/X11ErrorTrap.h"

namespace ui::x11 {

namespace {

// The window manager hints older than the EWMH ones, still the common way to choose which
// decorations and functions a window offers.
struct MotifWmHints {
    unsigned long flags;
    unsigned long functions;
    unsigned long decorations;
    long inputMode;
    unsigned long status;
};
constexpr unsigned long kHintsFunctions = 1, kHintsDecorations = 2;
constexpr unsigned long kFunctionMove = 4, kFunctionMinimize = 8, kFunctionClose = 32;
constexpr unsigned long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32;

int toPixels(double points) { return static_cast<int>(std::lround(points)); }

}  // namespace

X11TopLevelWindow::X11TopLevelWindow(std::shared_ptr<X11Connection> connection, Rect contentRect)
    : conn(std::move(connection)), contentArea(contentRect) {
    if (!conn) return;
    Display* dpy = conn->display();
    X11ErrorTrap trap(dpy);
    const int width = std::max(toPixels(contentRect.size.width), 1);
    const int height = std::max(toPixels(contentRect.size.height), 1);
    // Screen coordinates grow upward from the bottom of the screen, X's downward from the top.
    const int x = toPixels(contentRect.minX());
    const int y = conn->screenHeight() - toPixels(contentRect.maxY());
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(dpy, DefaultScreen(dpy));
    attributes.event_mask = StructureNotifyMask | FocusChangeMask;
    xid = XCreateWindow(dpy, conn->rootWindow(), x, y, static_cast<unsigned>(width),
                        static_cast<unsigned>(height), 0, CopyFromParent, InputOutput,
                        CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    if (xid == 0) return;
    conn->listen(xid, this);

    Atom deleteWindow = conn->atom("WM_DELETE_WINDOW");
    XSetWMProtocols(dpy, xid, &deleteWindow, 1);
    XClassHint classHint{const_cast<char*>("zvdelay32"), const_cast<char*>("ZvDelay32")};
    XSetClassHint(dpy, xid, &classHint);

    MotifWmHints hints{kHintsFunctions | kHintsDecorations,
                       kFunctionMove | kFunctionClose | kFunctionMinimize,
                       kDecorBorder | kDecorTitle | kDecorMenu | kDecorMinimize, 0, 0};
    const Atom motif = conn->atom("_MOTIF_WM_HINTS");
    XChangeProperty(dpy, xid, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&hints), 5);
    fixSize(width, height);
}

X11TopLevelWindow::~X11TopLevelWindow() { destroyWindow(); }

void X11TopLevelWindow::fixSize(int width, int height) {
    XSizeHints* sizeHints = XAllocSizeHints();
    if (sizeHints == nullptr) return;
    // Where we put it is where it goes, and its size is fixed.
    sizeHints->flags = USPosition | PPosition | PMinSize | PMaxSize;
    sizeHints->min_width = sizeHints->max_width = width;
    sizeHints->min_height = sizeHints->max_height = height;
    XSetWMNormalHints(conn->display(), xid, sizeHints);
    XFree(sizeHints);
}

void X11TopLevelWindow::setContentView(std::shared_ptr<View> view) {
    surface.reset();
    content = std::move(view);
    if (!content) return;
    content->setFrame({0.0, 0.0, contentArea.size.width, contentArea.size.height});
    if (!usable()) return;
    X11SurfaceOwner* self = this;
    surface = std::make_unique<X11Surface>(conn, content, xid, self);
}

void X11TopLevelWindow::show() {
    if (!usable()) return;
    X11ErrorTrap trap(conn->display());
    XMapRaised(conn->display(), xid);
    XFlush(conn->display());
}

void X11TopLevelWindow::close() {
    destroyWindow();
    content.reset();
}

void X11TopLevelWindow::destroyWindow() {
    if (!usable()) return;
    X11ErrorTrap trap(conn->display());
    surface.reset();
    conn->forget(xid, this);
    XDestroyWindow(conn->display(), xid);
    XFlush(conn->display());
    xid = 0;
    key = false;
}

void X11TopLevelWindow::setTitle(const std::string& title) {
    if (!usable()) return;
    X11ErrorTrap trap(conn->display());
    XStoreName(conn->display(), xid, title.c_str());
    XChangeProperty(conn->display(), xid, conn->atom("_NET_WM_NAME"), conn->atom("UTF8_STRING"), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
}

void* X11TopLevelWindow::nativeHandle() const {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(xid));
}

void X11TopLevelWindow::handleEvent(const XEvent& event) {
    switch (event.type) {
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == conn->atom("WM_DELETE_WINDOW") &&
                owner() != nullptr) {
                // Through the Window, so that a subclass's close runs as well.
                owner()->close();
            }
            break;
        case FocusIn:
            key = true;
            break;
        case FocusOut:
            key = false;
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == xid) {
                conn->forget(xid, this);
                xid = 0;
                key = false;
            }
            break;
        default:
            break;
    }
}

void X11TopLevelWindow::activate() {
    if (!usable()) return;
    X11ErrorTrap trap(conn->display());
    XRaiseWindow(conn->display(), xid);
    XSetInputFocus(conn->display(), xid, RevertToParent, CurrentTime);
    key = true;
}

}  // namespace ui::x11
