// The host's side of the end-to-end editor tests: the built plug-in loaded with dlopen and reached
// only through its record, and a top-level X window of the host's own, on a connection of the
// host's own, into which the editor is opened.
#pragma once

#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "AEffect.h"
#include "XTestSupport.h"

// Last: Xlib's macros (None, Bool, Status...) would clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The plug-in library and one instance of the effect.
class LoadedEffect {
public:
    LoadedEffect() : library(dlopen(ZV_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL)) {
        if (library == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
        using EntryPoint = AEffect* (*)(audioMasterCallback);
        auto entry = reinterpret_cast<EntryPoint>(dlsym(library, "VSTPluginMain"));
        if (entry == nullptr) throw std::runtime_error("no VSTPluginMain");
        effect = entry(&LoadedEffect::host);
        if (effect == nullptr) throw std::runtime_error("no instance");
    }
    ~LoadedEffect() {
        closeEffect();
        dlclose(library);
    }
    LoadedEffect(const LoadedEffect&) = delete;
    LoadedEffect& operator=(const LoadedEffect&) = delete;

    VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    float parameter(VstInt32 index) { return effect->getParameter(effect, index); }
    void closeEffect() {
        if (effect != nullptr) call(effClose);
        effect = nullptr;
    }
    AEffect* record() const { return effect; }

    // Idles the editor as a host does (every 5 ms) until `done` holds; false after two seconds.
    bool idleUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 400; ++i) {
            call(effEditIdle);
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    void idleFor(std::chrono::milliseconds time) {
        const auto end = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < end) {
            call(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

private:
    static VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
        return opcode == audioMasterVersion ? 2400 : 0;
    }

    void* library;
    AEffect* effect = nullptr;
};

// A top-level window of the host at the screen's top-left corner.
class HostWindow {
public:
    explicit HostWindow(unsigned width = 500, unsigned height = 300)
        : dpy(XOpenDisplay(nullptr)) {
        if (dpy == nullptr) throw std::runtime_error("cannot open the display");
        window = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, width, height, 0, 0,
                                     WhitePixel(dpy, DefaultScreen(dpy)));
        XSelectInput(dpy, window, StructureNotifyMask);
        XMapWindow(dpy, window);
        XEvent event;
        do {
            XNextEvent(dpy, &event);
        } while (event.type != MapNotify);
    }
    ~HostWindow() {
        if (window != 0) XDestroyWindow(dpy, window);
        XCloseDisplay(dpy);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // What a Linux host passes to effEditOpen: the window's id.
    void* handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }

    std::vector<::Window> children() const {
        XSync(dpy, False);
        ::Window root = 0, parent = 0, *list = nullptr;
        unsigned count = 0;
        std::vector<::Window> all;
        if (XQueryTree(dpy, window, &root, &parent, &list, &count) != 0) {
            all.assign(list, list + count);
            XFree(list);
        }
        return all;
    }
    XWindowAttributes attributesOf(::Window which) const {
        XSync(dpy, False);
        XWindowAttributes attributes{};
        XGetWindowAttributes(dpy, which, &attributes);
        return attributes;
    }
    // The window's pixels as the server shows them (children included), top row first.
    std::vector<Rgb> pixels(int x, int y, int width, int height) const {
        XSync(dpy, False);
        std::vector<Rgb> all;
        XImage* image = XGetImage(dpy, window, x, y, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        if (image == nullptr) return all;
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                const unsigned long pixel = XGetPixel(image, column, row);
                all.push_back({static_cast<int>((pixel >> 16) & 0xff),
                               static_cast<int>((pixel >> 8) & 0xff),
                               static_cast<int>(pixel & 0xff)});
            }
        }
        XDestroyImage(image);
        return all;
    }
    void movePointer(int x, int y) const { xtest::movePointer(dpy, window, x, y); }
    void button(bool down) const { xtest::button(dpy, down); }
    void destroy() {
        XDestroyWindow(dpy, window);
        XSync(dpy, False);
        window = 0;
    }

    Display* dpy;
    ::Window window = 0;
};

// How many files the process has open: the editor's display connection is one of them.
inline std::size_t openFiles() {
    std::size_t count = 0;
    const std::filesystem::directory_iterator files("/proc/self/fd");
    for ([[maybe_unused]] const auto& entry : files) ++count;
    return count;
}
