// A window of our own on X11: a top-level window managed by the window manager, titled, closable
// and minimizable, of a fixed size. Its content view is shown in a child window filling it.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>

#include "WindowBackend.h"
#include "x11/X11Connection.h"
#include "x11/X11Surface.h"

namespace ui::x11 {

class X11TopLevelWindow : public WindowBackend, private X11EventHandler, private X11SurfaceOwner {
public:
    // `connection` may be null (no display): the window then does nothing.
    X11TopLevelWindow(std::shared_ptr<X11Connection> connection, Rect contentRect);
    ~X11TopLevelWindow() override;

    Rect frame() const override { return contentArea; }
    View* contentView() const override { return content.get(); }
    void setContentView(std::shared_ptr<View> view) override;
    void show() override;
    void close() override;
    void setTitle(const std::string& title) override;
    void* nativeHandle() const override;

private:
    void handleEvent(const XEvent& event) override;
    bool isKey() const override { return key; }
    void activate() override;

    bool usable() const { return conn != nullptr && xid != 0; }
    void fixSize(int width, int height);
    void destroyWindow();

    std::shared_ptr<X11Connection> conn;
    ::Window xid = 0;
    Rect contentArea;
    std::shared_ptr<View> content;
    std::unique_ptr<X11Surface> surface;
    bool key = false;
};

}  // namespace ui::x11
