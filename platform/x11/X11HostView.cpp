#include "x11/X11HostView.h"

#include <cmath>

#include "x11/X11ErrorTrap.h"

namespace ui::x11 {

namespace {

// The host's window as a Window: its frame can be read and its size changed, in points at the
// host view's scale. Showing and closing it are the host's business and do nothing here.
class X11HostWindow : public WindowBackend {
public:
    X11HostWindow(std::shared_ptr<X11Connection> connection, ::Window window, X11HostView* content)
        : conn(std::move(connection)), host(window), contentArea(content) {}

    Rect frame() const override {
        X11ErrorTrap trap(conn->display());
        ::Window root = 0, child = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        if (XGetGeometry(conn->display(), host, &root, &x, &y, &width, &height, &border, &depth) ==
            0) {
            return {};
        }
        XTranslateCoordinates(conn->display(), host, root, 0, 0, &x, &y, &child);
        // Screen coordinates grow upward from the bottom of the screen.
        const double s = contentArea->scale();
        return {x / s, (conn->screenHeight() - y - static_cast<double>(height)) / s, width / s,
                height / s};
    }

    // Takes the size. The host places its own window, so its position stays as it is.
    void setFrame(Rect frame) override {
        const double s = contentArea->scale();
        const long width = std::lround(frame.size.width * s);
        const long height = std::lround(frame.size.height * s);
        if (width < 1 || height < 1) return;
        X11ErrorTrap trap(conn->display());
        XResizeWindow(conn->display(), host, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
        XFlush(conn->display());
    }

    // The host's window has no title bar of ours: its content is the host view itself.
    View* contentView() const override { return contentArea; }

private:
    std::shared_ptr<X11Connection> conn;
    ::Window host;
    X11HostView* contentArea;
};

}  // namespace

X11HostView::X11HostView(std::shared_ptr<X11Connection> connection, ::Window hostWindow,
                         Size pixels, double scale)
    : View(Rect{0.0, 0.0, pixels.width / scale, pixels.height / scale}),
      conn(std::move(connection)),
      host(hostWindow),
      pixelSize(pixels),
      pixelsPerPoint(scale) {
    hostWindowObject = std::make_shared<Window>(std::make_unique<X11HostWindow>(conn, host, this));
    setHostWindow(hostWindowObject.get());
    // Hear of the host's window changing size or going away. The selection is this connection's
    // own; the host's selections on its window are untouched.
    // Our own selections on the window (when it is one of ours) are kept.
    X11ErrorTrap trap(conn->display());
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(conn->display(), host, &attributes) != 0) {
        formerMask = attributes.your_event_mask;
    }
    XSelectInput(conn->display(), host, formerMask | StructureNotifyMask);
    conn->listen(host, this);
}

X11HostView::~X11HostView() {
    conn->forget(host, this);
    X11ErrorTrap trap(conn->display());
    surfaces.clear();
    setHostWindow(nullptr);
    if (!gone) XSelectInput(conn->display(), host, formerMask);
}

X11Surface* X11HostView::surfaceOf(const View& subview) const {
    const auto it = surfaces.find(&subview);
    return it == surfaces.end() ? nullptr : it->second.get();
}

void X11HostView::didAddSubview(View& subview) {
    if (gone) return;
    surfaces[&subview] = std::make_unique<X11Surface>(conn, subview.shared_from_this(), host,
                                                      nullptr, pixelsPerPoint);
}

void X11HostView::setScale(double scale) {
    pixelsPerPoint = scale;
    setFrame({frame().origin, Size{pixelSize.width / scale, pixelSize.height / scale}});
}

void X11HostView::willRemoveSubview(View& subview) { surfaces.erase(&subview); }

void X11HostView::handleEvent(const XEvent& event) {
    if (event.type == ConfigureNotify && event.xconfigure.window == host) {
        const Rect frame = this->frame();
        pixelSize = {static_cast<double>(event.xconfigure.width),
                     static_cast<double>(event.xconfigure.height)};
        const Size size{pixelSize.width / pixelsPerPoint, pixelSize.height / pixelsPerPoint};
        if (size != frame.size) setFrame({frame.origin, size});
    } else if (event.type == DestroyNotify && event.xdestroywindow.window == host) {
        gone = true;
    }
}

}  // namespace ui::x11
