#include "headless/HeadlessWindow.h"

#include "View.h"
#include "Window.h"
#include "headless/HeadlessDesktop.h"

namespace ui::headless {

HeadlessWindow::HeadlessWindow(Rect contentRect) : content(contentRect) {
    Desktop::shared().addWindow(this);
}

HeadlessWindow::~HeadlessWindow() { Desktop::shared().removeWindow(this); }

void HeadlessWindow::setContentView(std::shared_ptr<View> view) {
    shown.reset();
    contentRoot = std::move(view);
    if (!contentRoot) return;
    contentRoot->setFrame({0.0, 0.0, content.size.width, content.size.height});
    shown = std::make_unique<HeadlessSurface>(contentRoot);
    shown->setBackgroundColor(Color::blackColor());
}

void HeadlessWindow::show() {
    if (shown) shown->redrawIfNeeded();
}

void HeadlessWindow::close() {
    shown.reset();
    contentRoot.reset();
}

void HeadlessWindow::clickCloseButton() {
    if (owner() != nullptr) owner()->close();
}

}  // namespace ui::headless
