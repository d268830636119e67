#include "ParentWindow.h"

#include <cstdint>
#include <stdexcept>

#include <X11/Xutil.h>

namespace {

// A colour component of a pixel, wherever the visual puts it.
class ComponentReader {
public:
    explicit ComponentReader(unsigned long mask) : mask_(mask) {
        while (mask_ != 0 && (mask_ & 1) == 0) {
            mask_ >>= 1;
            ++shift_;
        }
    }
    int operator()(unsigned long pixel) const {
        return static_cast<int>((pixel >> shift_) & mask_);
    }

private:
    unsigned long mask_;
    int shift_ = 0;
};

}  // namespace

ParentWindow::ParentWindow(const Place& place, Background background, const std::string& title)
    : display_(XOpenDisplay(nullptr)) {
    if (display_ == nullptr) {
        throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
    }
    const int screen = DefaultScreen(display_);
    const unsigned long fill = background == Background::white ? WhitePixel(display_, screen)
                                                               : BlackPixel(display_, screen);
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), place.x, place.y,
                                  place.width, place.height, 0, 0, fill);
    if (!title.empty()) XStoreName(display_, window_, title.c_str());
    // The window manager's close button becomes a message to the host instead of a kill.
    deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &deleteWindow_, 1);
    XSelectInput(display_, window_, StructureNotifyMask);
    XMapWindow(display_, window_);
    XEvent event;
    do {
        XNextEvent(display_, &event);
    } while (event.type != MapNotify);
}

ParentWindow::~ParentWindow() {
    if (window_ != 0) XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

void* ParentWindow::handle() const {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_));
}

std::vector<::Window> ParentWindow::children() const {
    XSync(display_, False);
    ::Window root = 0, parent = 0, *list = nullptr;
    unsigned count = 0;
    std::vector<::Window> all;
    if (XQueryTree(display_, window_, &root, &parent, &list, &count) != 0) {
        all.assign(list, list + count);
        XFree(list);
    }
    return all;
}

XWindowAttributes ParentWindow::attributesOf(::Window which) const {
    XSync(display_, False);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, which, &attributes);
    return attributes;
}

std::vector<Rgb> ParentWindow::pixels(int x, int y, int width, int height) const {
    XSync(display_, False);
    std::vector<Rgb> all;
    XImage* image = XGetImage(display_, window_, x, y, static_cast<unsigned>(width),
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
    while (window_ != 0 && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) {
            closedByUser_ = true;
        } else if (event.type == DestroyNotify && event.xdestroywindow.window == window_) {
            window_ = 0;
        }
    }
    return !closedByUser_ && window_ != 0;
}

void ParentWindow::destroy() {
    XDestroyWindow(display_, window_);
    XSync(display_, False);
    window_ = 0;
}
