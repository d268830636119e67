#include "x11/X11Connection.h"

#include <X11/Xresource.h>

#include <algorithm>
#include <cstdlib>

#include "x11/X11ErrorTrap.h"
#include "x11/X11Surface.h"

namespace ui::x11 {

std::shared_ptr<X11Connection> X11Connection::open(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display == nullptr) return nullptr;
    return std::shared_ptr<X11Connection>(new X11Connection(display));
}

X11Connection::X11Connection(Display* display) : dpy(display) {}

X11Connection::~X11Connection() {
    // Closing takes every window made on this connection off the screen. Answers to our last
    // requests may still be errors (the host may have destroyed its window first).
    {
        X11ErrorTrap trap(dpy);
        XSync(dpy, False);
    }
    XCloseDisplay(dpy);
}

::Window X11Connection::rootWindow() const { return DefaultRootWindow(dpy); }

int X11Connection::screenWidth() const { return DisplayWidth(dpy, DefaultScreen(dpy)); }

int X11Connection::screenHeight() const { return DisplayHeight(dpy, DefaultScreen(dpy)); }

std::optional<double> X11Connection::resourceNumber(const char* name, const char* className) const {
    const char* resources = XResourceManagerString(dpy);
    if (resources == nullptr) return std::nullopt;
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    if (database == nullptr) return std::nullopt;
    std::optional<double> number;
    char* type = nullptr;
    XrmValue value{};
    if (XrmGetResource(database, name, className, &type, &value) != 0 && value.addr != nullptr) {
        char* end = nullptr;
        const double parsed = std::strtod(value.addr, &end);
        if (end != value.addr) number = parsed;
    }
    XrmDestroyDatabase(database);
    return number;
}

Atom X11Connection::atom(const char* name) {
    const auto known = atoms.find(name);
    if (known != atoms.end()) return known->second;
    const Atom interned = XInternAtom(dpy, name, False);
    atoms.emplace(name, interned);
    return interned;
}

void X11Connection::listen(::Window window, X11EventHandler* handler) {
    handlers[window].push_back(handler);
}

void X11Connection::forget(::Window window, X11EventHandler* handler) {
    const auto it = handlers.find(window);
    if (it == handlers.end()) return;
    auto& list = it->second;
    list.erase(std::remove(list.begin(), list.end(), handler), list.end());
    if (list.empty()) handlers.erase(it);
}

bool X11Connection::isListening(::Window window, X11EventHandler* handler) const {
    const auto it = handlers.find(window);
    return it != handlers.end() &&
           std::find(it->second.begin(), it->second.end(), handler) != it->second.end();
}

void X11Connection::addSurface(X11Surface* surface) { surfaces.push_back(surface); }

void X11Connection::removeSurface(X11Surface* surface) {
    surfaces.erase(std::remove(surfaces.begin(), surfaces.end(), surface), surfaces.end());
}

void X11Connection::processPendingEvents() {
    X11ErrorTrap trap(dpy);
    // XPending flushes and looks at the socket without blocking; with nothing queued the whole
    // pump is a couple of system calls.
    while (XPending(dpy) > 0) {
        XEvent event;
        XNextEvent(dpy, &event);
        // A handler may take itself or others away: go through a copy, skipping those gone.
        const auto it = handlers.find(event.xany.window);
        if (it == handlers.end()) continue;
        const auto listeners = it->second;
        for (X11EventHandler* handler : listeners) {
            if (isListening(event.xany.window, handler)) handler->handleEvent(event);
        }
    }
    const auto current = surfaces;
    for (X11Surface* surface : current) {
        if (std::find(surfaces.begin(), surfaces.end(), surface) != surfaces.end()) {
            surface->displayIfDue();
        }
    }
    XFlush(dpy);
}

}  // namespace ui::x11
