#include "x11/X11Surface.h"

#include <cairo-xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "cairo/CairoCanvas.h"
#include "x11/X11ErrorTrap.h"

namespace ui::x11 {

namespace {

PixelRect unite(PixelRect a, PixelRect b) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.width, b.x + b.width);
    const int bottom = std::max(a.y + a.height, b.y + b.height);
    return {left, top, right - left, bottom - top};
}

int toPixels(double points) { return static_cast<int>(std::lround(points)); }

unsigned modifiersOf(unsigned state) {
    unsigned keys = ModifierNone;
    if ((state & ShiftMask) != 0) keys |= ModifierShift;
    if ((state & ControlMask) != 0) keys |= ModifierControl;
    return keys;
}

// Two presses this close in time and place make a double click.
constexpr Time kDoubleClickMilliseconds = 400;
constexpr int kDoubleClickPixels = 4;

}  // namespace

X11Surface::X11Surface(std::shared_ptr<X11Connection> connection, std::shared_ptr<View> root,
                       ::Window parent, X11SurfaceOwner* windowOwner, double scale)
    : ViewSurface(std::move(root), scale), conn(std::move(connection)), owner(windowOwner) {
    Display* dpy = conn->display();
    X11ErrorTrap trap(dpy);
    const Rect frame = this->root().frame();
    XSetWindowAttributes attributes{};
    // No background: the server would clear the window before every exposure and it would
    // flicker; the copy from the picture covers it all.
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            LeaveWindowMask | StructureNotifyMask;
    // The parent counts from its top-left corner, where Linux hosts expect the editor.
    xid = XCreateWindow(
        dpy, parent, toPixels(frame.minX() * this->scale()), toPixels(frame.minY() * this->scale()),
        static_cast<unsigned>(std::max(pixelWidth(), 1)),
        static_cast<unsigned>(std::max(pixelHeight(), 1)), 0, CopyFromParent, InputOutput,
        CopyFromParent, CWBackPixmap | CWBorderPixel | CWBitGravity | CWEventMask, &attributes);
    if (trap.syncAndCheck() || xid == 0) {
        gone = true;
        xid = 0;
        return;
    }
    conn->listen(xid, this);
    conn->addSurface(this);
    makeBuffers();
    XMapWindow(dpy, xid);
}

X11Surface::~X11Surface() {
    X11ErrorTrap trap(conn->display());
    releaseBuffers();
    if (xid != 0) {
        conn->removeSurface(this);
        conn->forget(xid, this);
        if (!gone) XDestroyWindow(conn->display(), xid);
        XFlush(conn->display());
    }
}

void X11Surface::makeBuffers() {
    releaseBuffers();
    const int width = std::max(pixelWidth(), 1);
    const int height = std::max(pixelHeight(), 1);
    picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    XWindowAttributes attributes{};
    XGetWindowAttributes(conn->display(), xid, &attributes);
    if (attributes.visual != nullptr) {
        onScreen =
            cairo_xlib_surface_create(conn->display(), xid, attributes.visual, width, height);
    }
    drawnOnce = false;
}

void X11Surface::releaseBuffers() {
    if (onScreen != nullptr) cairo_surface_destroy(onScreen);
    if (picture != nullptr) cairo_surface_destroy(picture);
    onScreen = nullptr;
    picture = nullptr;
}

void X11Surface::displayIfDue() {
    if (gone || picture == nullptr) return;
    // The common case of an untouched editor: nothing to draw, nothing to show.
    if (drawnOnce && !isDisplayDue() && exposed.isEmpty()) return;
    X11ErrorTrap trap(conn->display());
    PixelRect drawn;
    cairo_t* cr = cairo_create(picture);
    cairo::CairoCanvas canvas(cr);
    if (!drawnOnce) {
        displayAll(canvas);
        drawnOnce = true;
        drawn = {0, 0, pixelWidth(), pixelHeight()};
    } else if (isDisplayDue()) {
        drawn = display(canvas);
    }
    cairo_destroy(cr);
    const PixelRect toShow = unite(drawn, exposed);
    exposed = {};
    if (!toShow.isEmpty()) copyToScreen(toShow);
}

void X11Surface::copyToScreen(PixelRect area) {
    if (onScreen == nullptr) return;
    cairo_surface_flush(picture);
    cairo_t* cr = cairo_create(onScreen);
    cairo_rectangle(cr, area.x, area.y, area.width, area.height);
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, picture, 0.0, 0.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(onScreen);
}

void X11Surface::handleEvent(const XEvent& event) {
    switch (event.type) {
        case Expose: {
            const XExposeEvent& e = event.xexpose;
            exposed = unite(exposed, {e.x, e.y, e.width, e.height});
            break;
        }
        case ButtonPress: {
            const XButtonEvent& b = event.xbutton;
            const Point at = locationOfPixel(b.x, b.y);
            if (b.button == Button1) {
                const bool again = clicksInARow > 0 &&
                                   b.time - lastPressTime <= kDoubleClickMilliseconds &&
                                   std::abs(b.x - lastPressX) <= kDoubleClickPixels &&
                                   std::abs(b.y - lastPressY) <= kDoubleClickPixels;
                clicksInARow = again ? clicksInARow + 1 : 1;
                lastPressTime = b.time;
                lastPressX = b.x;
                lastPressY = b.y;
                mouseDown(at, clicksInARow, modifiersOf(b.state));
            } else if (b.button == Button4 || b.button == Button5) {
                // Each notch of the wheel is a press (and a release) of its own button.
                wheelTurned(at, b.button == Button4 ? 1 : -1, modifiersOf(b.state));
            }
            break;
        }
        case MotionNotify: {
            const XMotionEvent& m = event.xmotion;
            const Point at = locationOfPixel(m.x, m.y);
            if ((m.state & Button1Mask) != 0) {
                mouseDragged(at, modifiersOf(m.state));
            } else {
                mouseMoved(at, modifiersOf(m.state));
            }
            break;
        }
        case ButtonRelease:
            if (event.xbutton.button == Button1) {
                mouseUp(locationOfPixel(event.xbutton.x, event.xbutton.y),
                        modifiersOf(event.xbutton.state));
            }
            break;
        case LeaveNotify:
            // Also while the button is held: the drag goes on wherever the pointer is, but the
            // view under the pointer before is no longer under it.
            mouseExited();
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == xid) {
                // Destroyed with the host's window: nothing left to draw to or destroy, and no
                // release will come for a press under way.
                gone = true;
                cancelPress();
                if (onScreen != nullptr) cairo_surface_finish(onScreen);
            }
            break;
        default:
            break;
    }
}

bool X11Surface::isInKeyWindow() const { return owner == nullptr || owner->isKey(); }

void X11Surface::activateWindow() {
    if (owner != nullptr) owner->activate();
}

void X11Surface::rootFrameChanged() {
    if (gone) return;
    X11ErrorTrap trap(conn->display());
    const Rect frame = root().frame();
    XMoveResizeWindow(conn->display(), xid, toPixels(frame.minX() * scale()),
                      toPixels(frame.minY() * scale()),
                      static_cast<unsigned>(std::max(pixelWidth(), 1)),
                      static_cast<unsigned>(std::max(pixelHeight(), 1)));
    makeBuffers();
}

}  // namespace ui::x11
