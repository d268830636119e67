// A view tree shown in a plain X child window of ours. The tree is drawn into a picture in memory
// at each display cycle, and the drawn part is copied to the window with cairo-xlib, as is any
// part the server asks to have shown again. The main button's press, drags and release come in
// as events of the window (the server keeps sending drags and the release to it while the button
// is held, wherever the pointer goes), as do the pointer's moves over it, its leaving, and the
// wheel (buttons 4 and 5).
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>

#include <memory>

#include "ViewSurface.h"
#include "x11/X11Connection.h"

namespace ui::x11 {

// What a surface that fills a window of ours asks of that window.
class X11SurfaceOwner {
public:
    virtual bool isKey() const = 0;
    virtual void activate() = 0;

protected:
    ~X11SurfaceOwner() = default;
};

class X11Surface : public ViewSurface, private X11EventHandler {
public:
    // A child window of `parent` showing `root` at the root's frame, counted from the parent's
    // top-left corner, `scale` pixels to the point. `owner` is the window of ours the surface
    // fills, if any.
    X11Surface(std::shared_ptr<X11Connection> connection, std::shared_ptr<View> root,
               ::Window parent, X11SurfaceOwner* owner = nullptr, double scale = 1.0);
    ~X11Surface() override;

    ::Window xWindow() const { return xid; }
    // Whether the window is gone (its parent was destroyed).
    bool isGone() const { return gone; }
    // Draws what is due and copies to the screen what was drawn or exposed.
    void displayIfDue();

protected:
    bool isInKeyWindow() const override;
    void activateWindow() override;
    void rootFrameChanged() override;

private:
    void handleEvent(const XEvent& event) override;
    void makeBuffers();
    void releaseBuffers();
    void copyToScreen(PixelRect area);

    std::shared_ptr<X11Connection> conn;
    X11SurfaceOwner* owner;
    ::Window xid = 0;
    cairo_surface_t* picture = nullptr;   // what the tree looks like
    cairo_surface_t* onScreen = nullptr;  // the window, as cairo draws to it
    PixelRect exposed;
    bool drawnOnce = false;
    bool gone = false;
    // The last press, to tell a double click from two clicks.
    Time lastPressTime = 0;
    int lastPressX = 0;
    int lastPressY = 0;
    int clicksInARow = 0;
};

}  // namespace ui::x11
