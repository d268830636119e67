// One connection of our own to the X server, shared by the windows and surfaces of one window
// system. Only the thread that pumps it touches it, so the host need not have called XInitThreads,
// and the host's own connection is never used from here.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace ui::x11 {

class X11Surface;

// Receives the events of the windows it listens to.
class X11EventHandler {
public:
    virtual void handleEvent(const XEvent& event) = 0;

protected:
    ~X11EventHandler() = default;
};

class X11Connection {
public:
    // A connection to `displayName` (empty: the DISPLAY environment variable); null when the
    // display cannot be opened.
    static std::shared_ptr<X11Connection> open(const std::string& displayName);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    Display* display() const { return dpy; }
    ::Window rootWindow() const;
    int screenWidth() const;
    int screenHeight() const;
    Atom atom(const char* name);
    // A number from the display's resource database ("Xft.dpi"); nothing when it holds none.
    std::optional<double> resourceNumber(const char* name, const char* className) const;

    // Events of `window` go to `handler` (and to any other handler listening to it) until
    // forget(window, handler).
    void listen(::Window window, X11EventHandler* handler);
    void forget(::Window window, X11EventHandler* handler);
    // Surfaces get a display cycle at the end of every pump.
    void addSurface(X11Surface* surface);
    void removeSurface(X11Surface* surface);

    // Hands every queued event to its window's handler, then runs the surfaces' display cycles
    // and sends what they drew. Never waits for anything.
    void processPendingEvents();

private:
    explicit X11Connection(Display* display);
    bool isListening(::Window window, X11EventHandler* handler) const;

    Display* dpy;
    std::unordered_map<::Window, std::vector<X11EventHandler*>> handlers;
    std::vector<X11Surface*> surfaces;
    std::unordered_map<std::string, Atom> atoms;
};

}  // namespace ui::x11
