#include "x11/X11TopLevelWindow.h"

#include <X11/Xatom.h>
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
constexpr unsigned long kFunctionResize = 2, kFunctionMove = 4, kFunctionMinimize = 8,
                        kFunctionMaximize = 16, kFunctionClose = 32;
constexpr unsigned long kDecorBorder = 2, kDecorResize = 4, kDecorTitle = 8, kDecorMenu = 16,
                        kDecorMinimize = 32, kDecorMaximize = 64;
constexpr long kNetWmStateAdd = 1, kNetWmStateRemove = 0;
constexpr long kNetWmMoveResizeMove = 8;

int toPixels(double points) { return static_cast<int>(std::lround(points)); }

}  // namespace

X11TopLevelWindow::X11TopLevelWindow(std::shared_ptr<X11Connection> connection, Rect contentRect,
                                     unsigned styleMask)
    : conn(std::move(connection)), style(styleMask), contentArea(contentRect) {
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

    MotifWmHints hints{kHintsFunctions | kHintsDecorations, kFunctionMove, 0, 0, 0};
    if ((style & WindowStyleTitled) != 0)
        hints.decorations |= kDecorBorder | kDecorTitle | kDecorMenu;
    if ((style & WindowStyleClosable) != 0) hints.functions |= kFunctionClose;
    if ((style & WindowStyleMinimizable) != 0) {
        hints.functions |= kFunctionMinimize;
        hints.decorations |= kDecorMinimize;
    }
    if ((style & WindowStyleResizable) != 0) {
        hints.functions |= kFunctionResize | kFunctionMaximize;
        hints.decorations |= kDecorResize | kDecorMaximize;
    }
    const Atom motif = conn->atom("_MOTIF_WM_HINTS");
    XChangeProperty(dpy, xid, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&hints), 5);
    fixSize(width, height);
}

X11TopLevelWindow::~X11TopLevelWindow() { destroyWindow(); }

void X11TopLevelWindow::fixSize(int width, int height) {
    XSizeHints* sizeHints = XAllocSizeHints();
    if (sizeHints == nullptr) return;
    // Where we put it is where it goes; and without the resizable style, its size is fixed.
    sizeHints->flags = USPosition | PPosition;
    if ((style & WindowStyleResizable) == 0) {
        sizeHints->flags |= PMinSize | PMaxSize;
        sizeHints->min_width = sizeHints->max_width = width;
        sizeHints->min_height = sizeHints->max_height = height;
    }
    XSetWMNormalHints(conn->display(), xid, sizeHints);
    XFree(sizeHints);
}

Rect X11TopLevelWindow::frame() const {
    if (!usable()) return contentArea;
    X11ErrorTrap trap(conn->display());
    int x = 0, y = 0;
    ::Window child = 0;
    if (!XTranslateCoordinates(conn->display(), xid, conn->rootWindow(), 0, 0, &x, &y, &child)) {
        return contentArea;
    }
    // The window manager's decorations are not ours to measure: the frame is the content area.
    return {static_cast<double>(x),
            static_cast<double>(conn->screenHeight() - y) - contentArea.size.height,
            contentArea.size.width, contentArea.size.height};
}

void X11TopLevelWindow::setFrame(Rect frame, bool /*display*/, bool /*animate*/) {
    contentArea = frame;
    if (content) content->setFrame({0.0, 0.0, frame.size.width, frame.size.height});
    if (!usable()) return;
    X11ErrorTrap trap(conn->display());
    const int width = std::max(toPixels(frame.size.width), 1);
    const int height = std::max(toPixels(frame.size.height), 1);
    fixSize(width, height);
    XMoveResizeWindow(conn->display(), xid, toPixels(frame.minX()),
                      conn->screenHeight() - toPixels(frame.maxY()), static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    XFlush(conn->display());
}

void X11TopLevelWindow::setContentView(std::shared_ptr<View> view) {
    surface.reset();
    content = std::move(view);
    if (!content) return;
    content->setFrame({0.0, 0.0, contentArea.size.width, contentArea.size.height});
    if (!usable()) return;
    X11SurfaceOwner* self = this;
    surface = std::make_unique<X11Surface>(conn, content, xid, self);
    surface->setBackgroundColor(background);
}

void X11TopLevelWindow::hide() {
    if (!usable()) return;
    X11ErrorTrap trap(conn->display());
    XWithdrawWindow(conn->display(), xid, DefaultScreen(conn->display()));
    XFlush(conn->display());
    visible = false;
    key = false;
}

void X11TopLevelWindow::show() {
    if (!usable()) return;
    X11ErrorTrap trap(conn->display());
    XMapRaised(conn->display(), xid);
    XFlush(conn->display());
    visible = true;
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
    visible = false;
    key = false;
}

void X11TopLevelWindow::setLevel(int level) {
    const bool wantAbove = level > 0;
    if (wantAbove == above) return;
    above = wantAbove;
    if (usable()) setAbove(wantAbove);
}

void X11TopLevelWindow::setAbove(bool wanted) {
    Display* dpy = conn->display();
    X11ErrorTrap trap(dpy);
    const Atom state = conn->atom("_NET_WM_STATE");
    const Atom stateAbove = conn->atom("_NET_WM_STATE_ABOVE");
    // Before the window is shown its state is a property the window manager reads when mapping
    // it; afterwards the change is asked of the window manager.
    if (wanted) {
        XChangeProperty(dpy, xid, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&stateAbove), 1);
    } else {
        XDeleteProperty(dpy, xid, state);
    }
    if (visible) {
        XEvent message{};
        message.xclient.type = ClientMessage;
        message.xclient.window = xid;
        message.xclient.message_type = state;
        message.xclient.format = 32;
        message.xclient.data.l[0] = wanted ? kNetWmStateAdd : kNetWmStateRemove;
        message.xclient.data.l[1] = static_cast<long>(stateAbove);
        message.xclient.data.l[3] = 1;
        XSendEvent(dpy, conn->rootWindow(), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &message);
    }
    XFlush(dpy);
}

void X11TopLevelWindow::setTitle(const std::string& title) {
    if (!usable()) return;
    X11ErrorTrap trap(conn->display());
    XStoreName(conn->display(), xid, title.c_str());
    XChangeProperty(conn->display(), xid, conn->atom("_NET_WM_NAME"), conn->atom("UTF8_STRING"), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
}

void X11TopLevelWindow::setBackgroundColor(Color color) {
    background = color;
    if (surface) surface->setBackgroundColor(color);
}

void X11TopLevelWindow::display() {
    if (surface) surface->displayIfDue();
    if (usable()) XFlush(conn->display());
}

void* X11TopLevelWindow::nativeHandle() const {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(xid));
}

void X11TopLevelWindow::handleEvent(const XEvent& event) {
    switch (event.type) {
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == conn->atom("WM_DELETE_WINDOW") &&
                (style & WindowStyleClosable) != 0 && owner() != nullptr) {
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
        case MapNotify:
            visible = true;
            break;
        case UnmapNotify:
            visible = false;
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == xid) {
                conn->forget(xid, this);
                xid = 0;
                visible = false;
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

void X11TopLevelWindow::beginMove(int rootX, int rootY) {
    if (!usable()) return;
    Display* dpy = conn->display();
    X11ErrorTrap trap(dpy);
    // The window manager moves the window from here on; it needs the pointer to itself.
    XUngrabPointer(dpy, CurrentTime);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = xid;
    message.xclient.message_type = conn->atom("_NET_WM_MOVERESIZE");
    message.xclient.format = 32;
    message.xclient.data.l[0] = rootX;
    message.xclient.data.l[1] = rootY;
    message.xclient.data.l[2] = kNetWmMoveResizeMove;
    message.xclient.data.l[3] = Button1;
    message.xclient.data.l[4] = 1;
    XSendEvent(dpy, conn->rootWindow(), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &message);
    XFlush(dpy);
}

}  // namespace ui::x11
