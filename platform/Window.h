// A window: either one of our own (titled, closable..., at a content rectangle on a screen) or a
// host's window that we only wrap. Subclasses may override close(), which also runs when the
// user clicks the close button.
#pragma once

#include <memory>
#include <string>

#include "Color.h"
#include "Geometry.h"
#include "WindowBackend.h"

namespace ui {

class View;
class WindowSystem;
struct Screen;

// Style bits of a window of our own.
enum WindowStyle : unsigned {
    WindowStyleBorderless = 0,
    WindowStyleTitled = 1u << 0,
    WindowStyleClosable = 1u << 1,
    WindowStyleMinimizable = 1u << 2,
    WindowStyleResizable = 1u << 3,
};

enum class BackingStore { Retained = 0, Nonretained = 1, Buffered = 2 };

// The keys of the window levels, and the levels they stand for.
enum class WindowLevelKind { Normal = 4, Floating = 5 };
int windowLevelFor(WindowLevelKind key);

class Window : public std::enable_shared_from_this<Window> {
public:
    // A window of our own with the content area `contentRect` (screen coordinates) on `screen`
    // (null: the main one), hidden until show.
    Window(WindowSystem& system, Rect contentRect, unsigned styleMask, BackingStore backing,
           bool defer, const Screen* screen);
    // A window carried out by `backend` (a host's window that is wrapped).
    explicit Window(std::unique_ptr<WindowBackend> backend);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Rect frame() const { return backing->frame(); }
    // Moves and resizes the window's outer frame.
    void setFrame(Rect frame, bool display, bool animate) {
        backing->setFrame(frame, display, animate);
    }
    View* contentView() const { return backing->contentView(); }
    void setContentView(std::shared_ptr<View> view);
    unsigned styleMask() const { return style; }

    void hide() { backing->hide(); }
    void show() { backing->show(); }
    // Hides the window for good and releases its native resources; later calls do nothing. The
    // object itself lives on while someone holds it.
    virtual void close();
    bool isClosed() const { return closed; }
    bool isVisible() const { return !closed && backing->isVisible(); }
    bool hasKeyboardFocus() const { return !closed && backing->hasKeyboardFocus(); }

    void setLevel(int windowLevel);
    int level() const { return currentLevel; }
    void setTitle(const std::string& title) { backing->setTitle(title); }
    void setBackgroundColor(Color color) { backing->setBackgroundColor(color); }
    void setOpaque(bool opaque) { backing->setOpaque(opaque); }
    // Draws what needs drawing now.
    void display() { backing->display(); }
    void setRedrawsAutomatically(bool flag) { backing->setRedrawsAutomatically(flag); }
    void setMovableByBackground(bool flag) { backing->setMovableByBackground(flag); }
    void* nativeHandle() const { return backing->nativeHandle(); }

    WindowBackend& backend() const { return *backing; }

private:
    std::unique_ptr<WindowBackend> backing;
    unsigned style = WindowStyleBorderless;
    int currentLevel = 0;
    bool closed = false;
};

}  // namespace ui
