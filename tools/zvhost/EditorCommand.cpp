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
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "ClapCommands.h"
#include "Commands.h"
#include "HostError.h"
#include "PluginInfo.h"
#include "PluginLoader.h"
#include "PluginSearch.h"
#include "Settings.h"

// Last: it brings Xlib, whose macros (None, Bool, Status...) would clash with the headers above.
#include "ParentWindow.h"

namespace zvhost {

namespace {

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

// Writes what the window shows (the editor's child window included) to a PNG file.
void saveAsPng(const ParentWindow& window, const std::string& path) {
    const XWindowAttributes size = window.attributesOf(window.id());
    const std::vector<Rgb> shown = window.pixels(0, 0, size.width, size.height);
    if (shown.empty()) throw HostError(ExitStatus::failure, "cannot read the window back");
    cairo_surface_t* picture =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, size.width, size.height);
    unsigned char* data = cairo_image_surface_get_data(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    for (int y = 0; y < size.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < size.width; ++x) {
            const Rgb& pixel = shown[static_cast<std::size_t>(y * size.width + x)];
            row[x] = static_cast<std::uint32_t>(pixel.red << 16 | pixel.green << 8 | pixel.blue);
        }
    }
    cairo_surface_mark_dirty(picture);
    const cairo_status_t status = cairo_surface_write_to_png(picture, path.c_str());
    cairo_surface_destroy(picture);
    if (status != CAIRO_STATUS_SUCCESS) {
        throw HostError(ExitStatus::output,
                        "cannot write " + path + ": " + cairo_status_to_string(status));
    }
}

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

void runEditor(const Command& request, std::ostream& out) {
    const std::string path = request.pluginPath.empty() ? defaultPluginPath() : request.pluginPath;
    if (isClapFile(path)) return runClapEditor(path, request, out);
    Plugin plugin(path);
    plugin.open(kListSampleRate, kListBlockSize);
    if (!request.settings.program.empty()) {
        apply(plugin, resolve(plugin, RequestedSettings{request.settings.program, {}}));
    }
    if ((plugin.effect().flags & effFlagsHasEditor) == 0) {
        throw HostError(ExitStatus::failure, "the plug-in has no editor of its own: " + path);
    }

    const auto [width, height] = editorSize(plugin);
    const std::string name = effectName(plugin);
    ParentWindow window({0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height)},
                        ParentWindow::Background::black,
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
            saveAsPng(window, request.pngPath);
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
