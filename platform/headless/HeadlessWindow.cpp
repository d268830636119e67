#include "headless/HeadlessWindow.h"

#include "View.h"
#include "Window.h"
#include "headless/HeadlessDesktop.h"

namespace ui::headless {

HeadlessWindow::HeadlessWindow(Rect contentRect, unsigned styleMask, double titleBarHeight,
                               std::optional<Screen> screen)
    : content(contentRect),
      style(styleMask),
      titleBar((styleMask & WindowStyleTitled) != 0 ? titleBarHeight : 0.0),
      onScreen(std::move(screen)) {
    Desktop::shared().addWindow(this);
}

HeadlessWindow::~HeadlessWindow() { Desktop::shared().removeWindow(this); }

Rect HeadlessWindow::frame() const {
    return {content.minX(), content.minY(), content.size.width, content.size.height + titleBar};
}

void HeadlessWindow::setFrame(Rect frame, bool /*display*/, bool animate) {
    askedAnimated = animate;
    content = {frame.minX(), frame.minY(), frame.size.width, frame.size.height - titleBar};
    if (contentRoot) contentRoot->setFrame({0.0, 0.0, content.size.width, content.size.height});
}

View* HeadlessWindow::contentView() const { return contentRoot.get(); }

void HeadlessWindow::setContentView(std::shared_ptr<View> view) {
    shown.reset();
    contentRoot = std::move(view);
    if (!contentRoot) return;
    contentRoot->setFrame({0.0, 0.0, content.size.width, content.size.height});
    shown = std::make_unique<HeadlessSurface>(contentRoot);
    shown->setWindow(this);
    shown->setBackgroundColor(background);
}

void HeadlessWindow::setBackgroundColor(Color color) {
    background = color;
    if (shown) shown->setBackgroundColor(color);
}

void HeadlessWindow::hide() {
    visible = false;
    key = false;
}

void HeadlessWindow::show() {
    if (closed) return;
    visible = true;
    key = true;
    if (shown) shown->redrawIfNeeded();
}

void HeadlessWindow::close() {
    visible = false;
    key = false;
    closed = true;
    shown.reset();
    contentRoot.reset();
}

void HeadlessWindow::display() {
    if (shown) shown->redrawIfNeeded();
}

void HeadlessWindow::clickCloseButton() {
    if (owner() != nullptr && (style & WindowStyleClosable) != 0) owner()->close();
}

}  // namespace ui::headless
