#include "Window.h"

#include "View.h"
#include "WindowSystem.h"

namespace ui {

Window::Window(WindowSystem& system, Rect contentRect)
    : backing(system.makeWindowBackend(contentRect)) {
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

}  // namespace ui
