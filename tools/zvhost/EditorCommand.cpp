// zvhost editor: a plug-in's editor in a window of its own, shown the way a Linux host shows it:
// a top-level X window whose id goes to effEditOpen, with the editor idled 30 times a second.
// Every parameter the editor changes is printed with the plug-in's own display text.
//
//   zvhost editor [PLUGIN] [--plugin PATH] [--program N|NAME] [--close-after SECONDS]
//                 [--png FILE]
//
// --png draws the editor, saves the window as a PNG and ends; --close-after ends by itself.
#include <cairo.h>
#include <csignal>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "Commands.h"
#include "HostCallback.h"
#include "HostError.h"
#include "PluginInfo.h"
#include "PluginLoader.h"
#include "PluginSearch.h"
#include "Settings.h"

// Last: Xlib's macros (None, Bool, Status...) would clash with names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace zvhost {

namespace {

struct EditorRequest {
    std::string pluginPath;
    std::string program;
    std::optional<double> closeAfterSeconds;
    std::string pngPath;
};

[[noreturn]] void usageError(const std::string& message) {
    throw HostError(ExitStatus::usage, message);
}

EditorRequest parseEditorArguments(const std::vector<std::string>& arguments) {
    EditorRequest request;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string option = arguments[i];
        if (option.size() < 2 || option[0] != '-') {
            positional.push_back(option);
            continue;
        }
        std::optional<std::string> attached;
        if (const auto equals = option.find('='); equals != std::string::npos) {
            attached = option.substr(equals + 1);
            option.resize(equals);
        }
        auto value = [&]() -> std::string {
            if (attached) return *attached;
            if (i + 1 >= arguments.size()) usageError(option + " needs a value");
            return arguments[++i];
        };
        if (option == "--plugin") {
            request.pluginPath = value();
            if (request.pluginPath.empty()) usageError("--plugin needs a path");
        } else if (option == "--program") {
            request.program = value();
            if (request.program.empty()) usageError("--program needs a number or a name");
        } else if (option == "--close-after") {
            const std::string text = value();
            char* end = nullptr;
            const double seconds = std::strtod(text.c_str(), &end);
            if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(seconds) ||
                seconds < 0.0) {
                usageError("--close-after wants seconds, not '" + text + "'");
            }
            request.closeAfterSeconds = seconds;
        } else if (option == "--png") {
            request.pngPath = value();
            if (request.pngPath.empty()) usageError("--png needs a file name");
        } else {
            usageError("unknown option " + option + " for editor (try zvhost --help)");
        }
    }
    if (positional.size() > 1) usageError("editor takes at most one plug-in");
    if (positional.size() == 1) {
        if (!request.pluginPath.empty()) {
            usageError("give the plug-in either as an argument or with --plugin");
        }
        request.pluginPath = positional[0];
    }
    return request;
}

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onInterrupt(int /*signal*/) { interrupted = 1; }

// Ctrl-C ends the window as its close button does, so the plug-in is closed properly.
class InterruptCatcher {
public:
    InterruptCatcher() {
        interrupted = 0;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &former);
    }
    ~InterruptCatcher() { sigaction(SIGINT, &former, nullptr); }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

private:
    struct sigaction former {};
};

// The host's window: a top-level window with a title, which ends the run when the user closes it.
class EditorWindow {
public:
    EditorWindow(Display* display, int width, int height, const std::string& title)
        : dpy(display), deleteWindow(XInternAtom(display, "WM_DELETE_WINDOW", False)) {
        window = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0,
                                     static_cast<unsigned>(width), static_cast<unsigned>(height),
                                     0, 0, BlackPixel(dpy, DefaultScreen(dpy)));
        XStoreName(dpy, window, title.c_str());
        XSetWMProtocols(dpy, window, &deleteWindow, 1);
        XSelectInput(dpy, window, StructureNotifyMask);
        XMapWindow(dpy, window);
        XEvent event;
        do {
            XNextEvent(dpy, &event);
        } while (event.type != MapNotify);
    }
    ~EditorWindow() {
        if (!destroyed) XDestroyWindow(dpy, window);
        XSync(dpy, False);
    }
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    void* handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }

    // Handles what happened to the window; false once the user closed it.
    bool stillOpen() {
        while (XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type == ClientMessage &&
                static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
                closedByUser = true;
            } else if (event.type == DestroyNotify && event.xdestroywindow.window == window) {
                destroyed = true;
            }
        }
        return !closedByUser && !destroyed;
    }

    // Writes what the window shows (the editor's child window included) to a PNG file.
    void saveAsPng(const std::string& path) const {
        XSync(dpy, False);
        XWindowAttributes attributes{};
        XGetWindowAttributes(dpy, window, &attributes);
        XImage* image = XGetImage(dpy, window, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (image == nullptr) throw HostError(ExitStatus::failure, "cannot read the window back");
        cairo_surface_t* picture =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, attributes.width, attributes.height);
        unsigned char* data = cairo_image_surface_get_data(picture);
        const int stride = cairo_image_surface_get_stride(picture);
        for (int y = 0; y < attributes.height; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
            for (int x = 0; x < attributes.width; ++x) {
                row[x] = static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xffffffu);
            }
        }
        XDestroyImage(image);
        cairo_surface_mark_dirty(picture);
        const cairo_status_t status = cairo_surface_write_to_png(picture, path.c_str());
        cairo_surface_destroy(picture);
        if (status != CAIRO_STATUS_SUCCESS) {
            throw HostError(ExitStatus::output, "cannot write " + path + ": " +
                                                    cairo_status_to_string(status));
        }
    }

private:
    Display* dpy;
    Atom deleteWindow;
    ::Window window = 0;
    bool closedByUser = false;
    bool destroyed = false;
};

class DisplayConnection {
public:
    DisplayConnection() : dpy(XOpenDisplay(nullptr)) {
        if (dpy == nullptr) {
            throw HostError(ExitStatus::failure, "cannot open the X display (is DISPLAY set?)");
        }
    }
    ~DisplayConnection() { XCloseDisplay(dpy); }
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;
    Display* get() const { return dpy; }

private:
    Display* dpy;
};

// The editor's size as the plug-in reports it before opening; a sensible window otherwise.
std::pair<int, int> editorSize(Plugin& plugin) {
    ERect* rect = nullptr;
    if (plugin.dispatch(effEditGetRect, 0, 0, &rect) != 0 && rect != nullptr) {
        const int width = rect->right - rect->left;
        const int height = rect->bottom - rect->top;
        if (width > 0 && height > 0) return {width, height};
    }
    return {400, 300};
}

// Prints the parameters whose values changed since the last look.
class ParameterWatch {
public:
    explicit ParameterWatch(Plugin& watched) : plugin(watched) {
        for (VstInt32 i = 0; i < plugin.effect().numParams; ++i) {
            values.push_back(plugin.effect().getParameter(&plugin.effect(), i));
        }
    }
    void printChanges(std::ostream& out) {
        for (VstInt32 i = 0; i < static_cast<VstInt32>(values.size()); ++i) {
            const float now = plugin.effect().getParameter(&plugin.effect(), i);
            if (now == values[static_cast<std::size_t>(i)]) continue;
            values[static_cast<std::size_t>(i)] = now;
            const ParameterInfo info = parameter(plugin, i);
            out << info.name << ": " << info.display;
            if (!info.label.empty()) out << ' ' << info.label;
            out << std::endl;
        }
    }

private:
    Plugin& plugin;
    std::vector<float> values;
};

}  // namespace

void runEditor(const std::vector<std::string>& arguments, std::ostream& out) {
    const EditorRequest request = parseEditorArguments(arguments);
    const std::string path = request.pluginPath.empty() ? defaultPluginPath() : request.pluginPath;
    Plugin plugin(path);
    hostState().sampleRate = kListSampleRate;
    hostState().blockSize = kListBlockSize;
    plugin.dispatch(effOpen);
    plugin.dispatch(effSetSampleRate, 0, 0, nullptr, kListSampleRate);
    plugin.dispatch(effSetBlockSize, 0, kListBlockSize);
    if (!request.program.empty()) {
        apply(plugin, resolve(plugin, RequestedSettings{request.program, {}}));
    }
    if ((plugin.effect().flags & effFlagsHasEditor) == 0) {
        throw HostError(ExitStatus::failure, "the plug-in has no editor of its own: " + path);
    }

    DisplayConnection display;
    const auto [width, height] = editorSize(plugin);
    const std::string name = effectName(plugin);
    EditorWindow window(display.get(), width, height,
                        (name.empty() ? path : name) + " - zvhost editor");
    InterruptCatcher interrupt;
    plugin.dispatch(effEditOpen, 0, 0, window.handle());
    if (request.pngPath.empty()) {
        out << "editor of " << (name.empty() ? path : name)
            << " open: close its window or press Ctrl-C to end" << std::endl;
    }

    ParameterWatch watch(plugin);
    const auto period = std::chrono::microseconds(33333);
    const auto start = std::chrono::steady_clock::now();
    // A picture is taken once the editor has had a few idles to draw itself.
    const auto pictureTime = start + std::chrono::milliseconds(300);
    std::optional<std::chrono::steady_clock::time_point> end;
    if (request.closeAfterSeconds) {
        end = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                          std::chrono::duration<double>(*request.closeAfterSeconds));
    }
    while (interrupted == 0 && window.stillOpen()) {
        plugin.dispatch(effEditIdle);
        watch.printChanges(out);
        const auto now = std::chrono::steady_clock::now();
        if (!request.pngPath.empty() && now >= pictureTime) {
            window.saveAsPng(request.pngPath);
            out << request.pngPath << std::endl;
            break;
        }
        if (end && now >= *end) break;
        std::this_thread::sleep_for(period);
    }
    plugin.dispatch(effEditClose);
    // The effect goes (and its editor with it) while the window it was shown in still exists.
    plugin.close();
}

}  // namespace zvhost
