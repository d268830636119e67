#include "ParentWindow.h"

#include <cstdint>
#include <stdexcept>

#include <X11/Xutil.h>

namespace {

// A colour component of a pixel, wherever the visual puts it.
class ComponentReader {
public:
    explicit ComponentReader(unsigned long componentMask) : mask(componentMask) {
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
    }
    int operator()(unsigned long pixel) const { return static_cast<int>((pixel >> shift) & mask); }

private:
    unsigned long mask;
    int shift = 0;
};

}  // namespace

ParentWindow::ParentWindow(const Place& place, Background background, const std::string& title)
    : _display(XOpenDisplay(nullptr)) {
    if (_display == nullptr) {
        throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
    }
    const int screen = DefaultScreen(_display);
    const unsigned long fill = background == Background::white ? WhitePixel(_display, screen)
                                                               : BlackPixel(_display, screen);
    window = XCreateSimpleWindow(_display, DefaultRootWindow(_display), place.x, place.y,
                                 place.width, place.height, 0, 0, fill);
    if (!title.empty()) XStoreName(_display, window, title.c_str());
    // The window manager's close button becomes a message to the host instead of a kill.
    deleteWindow = XInternAtom(_display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(_display, window, &deleteWindow, 1);
    XSelectInput(_display, window, StructureNotifyMask);
    XMapWindow(_display, window);
    XEvent event;
    do {
        XNextEvent(_display, &event);
    } while (event.type != MapNotify);
}

ParentWindow::~ParentWindow() {
    if (window != 0) XDestroyWindow(_display, window);
    XCloseDisplay(_display);
}

void* ParentWindow::handle() const {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
}

std::vector<::Window> ParentWindow::children() const {
    XSync(_display, False);
    ::Window root = 0, parent = 0, *list = nullptr;
    unsigned count = 0;
    std::vector<::Window> all;
    if (XQueryTree(_display, window, &root, &parent, &list, &count) != 0) {
        all.assign(list, list + count);
        XFree(list);
    }
    return all;
}

XWindowAttributes ParentWindow::attributesOf(::Window which) const {
    XSync(_display, False);
    XWindowAttributes attributes{};
    XGetWindowAttributes(_display, which, &attributes);
    return attributes;
}

std::vector<Rgb> ParentWindow::pixels(int x, int y, int width, int height) const {
    XSync(_display, False);
    std::vector<Rgb> all;
    XImage* image = XGetImage(_display, window, x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) return all;
    const ComponentReader red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    all.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            all.push_back({red(pixel), green(pixel), blue(pixel)});
        }
    }
    XDestroyImage(image);
    return all;
}

Rgb ParentWindow::pixelAt(int x, int y) const {
    const std::vector<Rgb> one = pixels(x, y, 1, 1);
    return one.empty() ? Rgb{-1, -1, -1} : one.front();
}

bool ParentWindow::stillOpen() {
    while (window != 0 && XPending(_display) > 0) {
        XEvent event;
        XNextEvent(_display, &event);
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
            closedByUser = true;
        } else if (event.type == DestroyNotify && event.xdestroywindow.window == window) {
            window = 0;
        }
    }
    return !closedByUser && window != 0;
}

void ParentWindow::destroy() {
    XDestroyWindow(_display, window);
    XSync(_display, False);
    window = 0;
}
