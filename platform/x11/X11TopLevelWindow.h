// A window of our own on X11: a top-level window managed by the window manager, with the style's
// decorations, a fixed size unless resizable, kept above ordinary windows at a floating level.
// Its content view is shown in a child window filling it.
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
    X11TopLevelWindow(std::shared_ptr<X11Connection> connection, Rect contentRect,
                      unsigned styleMask);
    ~X11TopLevelWindow() override;

    Rect frame() const override;
    void setFrame(Rect frame, bool display, bool animate) override;
    View* contentView() const override { return content.get(); }
    void setContentView(std::shared_ptr<View> view) override;
    void hide() override;
    void show() override;
    void close() override;
    bool isVisible() const override { return visible; }
    bool hasKeyboardFocus() const override { return key; }
    void setLevel(int level) override;
    void setTitle(const std::string& title) override;
    void setBackgroundColor(Color color) override;
    void display() override;
    void setMovableByBackground(bool flag) override { movable = flag; }
    void* nativeHandle() const override;

private:
    void handleEvent(const XEvent& event) override;
    bool isKey() const override { return key; }
    void activate() override;
    bool movesByBackground() const override { return movable; }
    void beginMove(int rootX, int rootY) override;

    bool usable() const { return conn != nullptr && xid != 0; }
    void fixSize(int width, int height);
    void setAbove(bool above);
    void destroyWindow();

    std::shared_ptr<X11Connection> conn;
    ::Window xid = 0;
    unsigned style;
    Rect contentArea;
    std::shared_ptr<View> content;
    std::unique_ptr<X11Surface> surface;
    Color background = Color::blackColor();
    bool visible = false;
    bool key = false;
    bool movable = false;
    bool above = false;
};

}  // namespace ui::x11
