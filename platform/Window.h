// A window: either one of our own (titled, closable and minimizable, of a fixed size, at a content
// rectangle on the main screen) or a host's window that we only wrap. Subclasses may override
// close(), which also runs when the user clicks the close button.
#pragma once

#include <memory>
#include <string>

#include "Geometry.h"
#include "WindowBackend.h"

namespace ui {

class View;
class WindowSystem;

class Window : public std::enable_shared_from_this<Window> {
public:
    // A window of our own with the content area `contentRect` (screen coordinates), hidden until
    // show.
    Window(WindowSystem& system, Rect contentRect);
    // A window carried out by `backend` (a host's window that is wrapped).
    explicit Window(std::unique_ptr<WindowBackend> backend);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Rect frame() const { return backing->frame(); }
    // Resizes the window's outer frame (a host places its own window: only the size may change).
    void setFrame(Rect frame) { backing->setFrame(frame); }
    View* contentView() const { return backing->contentView(); }
    void setContentView(std::shared_ptr<View> view);

    void show() { backing->show(); }
    // Hides the window for good and releases its native resources; later calls do nothing. The
    // object itself lives on while someone holds it.
    virtual void close();
    bool isClosed() const { return closed; }

    void setTitle(const std::string& title) { backing->setTitle(title); }
    void* nativeHandle() const { return backing->nativeHandle(); }

    WindowBackend& backend() const { return *backing; }

private:
    std::unique_ptr<WindowBackend> backing;
    bool closed = false;
};

}  // namespace ui
