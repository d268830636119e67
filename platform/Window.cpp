#include "Window.h"

#include "View.h"
#include "WindowSystem.h"

namespace ui {

int windowLevelFor(WindowLevelKind key) {
    switch (key) {
        case WindowLevelKind::Normal:
            return 0;
        case WindowLevelKind::Floating:
            return 3;
    }
    return 0;
}

Window::Window(WindowSystem& system, Rect contentRect, unsigned styleMask, BackingStore /*backing*/,
               bool /*defer*/, const Screen* screen)
    : backing(system.makeWindowBackend(contentRect, styleMask, screen)), style(styleMask) {
    backing->served = this;
}

Window::Window(std::unique_ptr<WindowBackend> backend) : backing(std::move(backend)) {
    backing->served = this;
}

// Letting go of a window does not close it (a host's window stays as it is); the backend lets go
// of whatever native resources it holds.
Window::~Window() {
    if (View* content = backing->contentView(); content != nullptr && content->treeWindow == this) {
        content->treeWindow = nullptr;
    }
}

void Window::setContentView(std::shared_ptr<View> view) {
    if (closed) return;
    if (View* former = backing->contentView(); former != nullptr && former->treeWindow == this) {
        former->treeWindow = nullptr;
    }
    if (view) view->treeWindow = this;
    backing->setContentView(std::move(view));
}

void Window::close() {
    if (closed) return;
    closed = true;
    backing->close();
}

void Window::setLevel(int windowLevel) {
    currentLevel = windowLevel;
    backing->setLevel(windowLevel);
}

}  // namespace ui
