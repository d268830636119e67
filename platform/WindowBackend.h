// What a backend does for a Window: one kind for windows of our own, others for the windows of a
// host that the editor only wraps. Operations a kind cannot carry out do nothing.
#pragma once

#include <memory>
#include <string>

#include "Geometry.h"

namespace ui {

class View;
class Window;

class WindowBackend {
public:
    virtual ~WindowBackend() = default;

    // The window's outer frame in screen coordinates (title bar included).
    virtual Rect frame() const = 0;
    virtual void setFrame(Rect /*frame*/) {}
    // The view that fills the window's content area; null when it has none.
    virtual View* contentView() const = 0;
    virtual void setContentView(std::shared_ptr<View> /*view*/) {}
    virtual void show() {}
    // Takes the native window away for good. Called once.
    virtual void close() {}
    virtual void setTitle(const std::string& /*title*/) {}
    // The native window behind it, as a host handle: an X window id on X11.
    virtual void* nativeHandle() const { return nullptr; }

protected:
    // The window this backend serves: the backend reports a click on the close button to it.
    Window* owner() const { return served; }

private:
    friend class Window;
    Window* served = nullptr;
};

}  // namespace ui
