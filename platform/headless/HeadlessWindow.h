// A window of our own in memory: it remembers everything asked of it and shows its content view
// on a headless surface.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Screen.h"
#include "WindowBackend.h"
#include "headless/HeadlessSurface.h"

namespace ui::headless {

class HeadlessWindow : public WindowBackend {
public:
    HeadlessWindow(Rect contentRect, unsigned styleMask, double titleBarHeight,
                   std::optional<Screen> screen);
    ~HeadlessWindow() override;

    Rect frame() const override;
    void setFrame(Rect frame, bool display, bool animate) override;
    View* contentView() const override;
    void setContentView(std::shared_ptr<View> view) override;
    void hide() override;
    void show() override;
    void close() override;
    bool isVisible() const override { return visible; }
    bool hasKeyboardFocus() const override { return key; }
    void setLevel(int level) override { windowLevel = level; }
    void setTitle(const std::string& text) override { title = text; }
    void setBackgroundColor(Color color) override;
    void setOpaque(bool flag) override { opaque = flag; }
    void display() override;
    void setRedrawsAutomatically(bool flag) override { redrawsOnItsOwn = flag; }
    void setMovableByBackground(bool flag) override { movable = flag; }
    void* nativeHandle() const override { return const_cast<HeadlessWindow*>(this); }

    // What tests look at.
    Rect contentRect() const { return content; }
    unsigned styleMask() const { return style; }
    int level() const { return windowLevel; }
    const std::string& windowTitle() const { return title; }
    Color backgroundColor() const { return background; }
    bool isOpaque() const { return opaque; }
    bool redrawsAutomatically() const { return redrawsOnItsOwn; }
    bool isMovableByWindowBackground() const { return movable; }
    bool wasClosed() const { return closed; }
    const std::optional<Screen>& screen() const { return onScreen; }
    bool lastFrameAnimated() const { return askedAnimated; }
    // The surface showing the content view; null without one.
    HeadlessSurface* surface() const { return shown.get(); }
    // The user clicks the window's close button.
    void clickCloseButton();

    // Called by the surface.
    void becomeKey() { key = !closed; }
    void moveBy(double dx, double dy) { content = content.offsetBy(dx, dy); }

private:
    Rect content;
    unsigned style;
    double titleBar;
    std::optional<Screen> onScreen;
    std::shared_ptr<View> contentRoot;
    std::unique_ptr<HeadlessSurface> shown;
    int windowLevel = 0;
    std::string title;
    Color background = Color::whiteColor();
    bool opaque = true;
    bool redrawsOnItsOwn = true;
    bool movable = false;
    bool visible = false;
    bool key = false;
    bool closed = false;
    bool askedAnimated = false;
};

}  // namespace ui::headless
