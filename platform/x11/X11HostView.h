// A host's X window seen as a view: each view added to it becomes a plain child window of the
// host's window (no reparenting, no embedding protocol). The host's window counts from its
// top-left corner, where Linux hosts expect the editor: a view at (0, 0) sits in that corner.
#pragma once

#include <X11/Xlib.h>

#include <map>
#include <memory>

#include "View.h"
#include "Window.h"
#include "x11/X11Connection.h"
#include "x11/X11Surface.h"

namespace ui::x11 {

class X11HostView : public View, private X11EventHandler {
public:
    // The host's window, `pixels` large, shown at `scale` pixels to the point.
    X11HostView(std::shared_ptr<X11Connection> connection, ::Window hostWindow, Size pixels,
                double scale);
    ~X11HostView() override;

    ::Window hostWindow() const { return host; }
    // The display connection the view and the windows in it are on.
    const X11Connection& connection() const { return *conn; }
    double scale() const { return pixelsPerPoint; }
    // The view's size follows the new scale at once; views added from now on are shown at it.
    void setScale(double scale);
    // Whether the host has destroyed its window.
    bool isGone() const { return gone; }
    // The surface showing `subview`, a direct child; null for any other view.
    X11Surface* surfaceOf(const View& subview) const;

    void didAddSubview(View& subview) override;
    void willRemoveSubview(View& subview) override;

private:
    void handleEvent(const XEvent& event) override;

    std::shared_ptr<X11Connection> conn;
    ::Window host;
    std::shared_ptr<Window> hostWindowObject;
    std::map<const View*, std::unique_ptr<X11Surface>> surfaces;
    Size pixelSize;
    double pixelsPerPoint;
    long formerMask = NoEventMask;
    bool gone = false;
};

}  // namespace ui::x11
