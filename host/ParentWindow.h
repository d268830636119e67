// A host's own top-level X window, on a connection of its own: the parent a Linux host hands to
// effEditOpen, and what the host can see of it afterwards (the editor's child windows, the
// pixels the server shows, whether the user closed it).
#pragma once

#include <string>
#include <vector>

// Last: Xlib's macros (None, Bool, Status...) clash with names in many headers, so a file that
// includes this one includes it after the others.
#include <X11/Xlib.h>

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class ParentWindow {
public:
    struct Place {
        int x = 0, y = 0;
        unsigned width = 500, height = 300;
    };
    enum class Background { white, black };

    // Opens the display named by DISPLAY and shows the window there, returning once it is mapped.
    // Throws std::runtime_error when there is no display to open.
    explicit ParentWindow(const Place& place, Background background = Background::white,
                          const std::string& title = {});
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    // What a Linux host passes to effEditOpen: the window's id.
    void* handle() const;
    ::Window id() const { return window; }
    Display* display() const { return _display; }

    // The windows the plug-in made inside this one, once the server has seen all requests.
    std::vector<::Window> children() const;
    XWindowAttributes attributesOf(::Window which) const;

    // The pixels the server shows (children included), top row first; empty when it cannot read
    // them back.
    std::vector<Rgb> pixels(int x, int y, int width, int height) const;
    // One pixel; -1 for each component when it cannot be read.
    Rgb pixelAt(int x, int y) const;

    // Handles what happened to the window; false once the user closed it or it was destroyed.
    bool stillOpen();

    // The host destroys its window while the plug-in may still have a child in it.
    void destroy();

private:
    Display* _display;
    ::Window window = 0;
    Atom deleteWindow = 0;
    bool closedByUser = false;
};
