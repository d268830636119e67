// zvknobs: the editor's controls in a window, for trying them by hand.
//
//   zvknobs                      a host-like window with the controls in a child window of it
//   zvknobs --own-window         the controls in a window of their own, as the LV2 editor's
//                                show interface opens it
//   zvknobs --measure-idle 10    leave the window untouched for 10 s, pumped 30 times a second
//                                as a host idles its editor, and print the processor time used
//   zvknobs --png FILE           draw the controls in memory and save them as a PNG
//
// Every gesture on a control is printed, with the value it sends.
#include <time.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "EditorHost.h"
#include "EditorView.h"
#include "LayoutFrames.h"
#include "ParameterTable.h"
#include "View.h"
#include "Window.h"
#include "headless/HeadlessSurface.h"
#include "x11/X11WindowSystem.h"

namespace {

// The side the controls change: it starts the knobs at a spread that shows the pictures, and
// prints every gesture.
class PrintingHost : public EditorHost {
public:
    PrintingHost() {
        const float knobSpread[] = {0.255f, 0.505f, 0.405f, 0.005f, 0.995f, 0.705f, 0.505f};
        static_assert(std::size(knobSpread) == layout::knobs.size());
        for (std::size_t k = 0; k < layout::knobs.size(); ++k) {
            values[static_cast<std::size_t>(layout::knobs[k].parameter)] = knobSpread[k];
        }
        spread = values;
    }
    float parameterValue(int index) override { return values.at(static_cast<std::size_t>(index)); }
    // The demo runs no effect: no rate to count samples by, the spread to return to, no format.
    std::optional<DelayLength> delayLength() override { return std::nullopt; }
    float factoryValue(int index) override { return spread.at(static_cast<std::size_t>(index)); }
    const char* formatName() override { return ""; }
    void beginGesture(int index) override {
        print("begin", index, values.at(static_cast<std::size_t>(index)));
    }
    void changeByGesture(int index, float value) override {
        values.at(static_cast<std::size_t>(index)) = value;
        print("change", index, value);
    }
    void endGesture(int index) override {
        print("end", index, values.at(static_cast<std::size_t>(index)));
    }

private:
    static void print(const char* what, int index, float value) {
        std::printf("%s %s: %g\n", what, parameterRow(index)->name, static_cast<double>(value));
        std::fflush(stdout);
    }
    std::array<float, kNumParams> values{};
    std::array<float, kNumParams> spread{};
};

std::shared_ptr<ui::View> buildControls(EditorHost& host) {
    return std::make_shared<EditorView>(editorBounds(), &host);
}

// A window that remembers that the user closed it.
class ClosableWindow : public ui::Window {
public:
    using ui::Window::Window;
    void close() override {
        userClosed = true;
        ui::Window::close();
    }
    bool userClosed = false;
};

double processSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int savePicture(const char* path) {
    PrintingHost host;
    ui::headless::HeadlessSurface surface(buildControls(host));
    surface.displayAll();
    if (!surface.savePng(path)) {
        std::fprintf(stderr, "zvknobs: cannot write %s\n", path);
        return 1;
    }
    std::printf("%s\n", path);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool ownWindow = false;
    double measureSeconds = 0.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--own-window") == 0) {
            ownWindow = true;
        } else if (std::strcmp(argv[i], "--measure-idle") == 0 && i + 1 < argc) {
            measureSeconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
            return savePicture(argv[i + 1]);
        } else {
            std::fprintf(stderr,
                         "usage: zvknobs [--own-window] [--measure-idle SECONDS] [--png FILE]\n");
            return 2;
        }
    }

    PrintingHost host;
    // The host's side and the plug-in's side each have their own connection, as in a real host.
    auto hostSystem = ui::x11::makeX11WindowSystem();
    auto pluginSystem = ui::x11::makeX11WindowSystem();
    if (!hostSystem->mainScreen()) {
        std::fprintf(stderr, "zvknobs: cannot open the X display (is DISPLAY set?)\n");
        return 1;
    }
    const ui::Screen screen = *hostSystem->mainScreen();
    const ui::Rect place{std::trunc(0.5 * screen.frame.size.width - 172.0),
                         std::trunc(0.5 * screen.frame.size.height - 200.0), 344, 400};
    auto window = std::make_shared<ClosableWindow>(ownWindow ? *pluginSystem : *hostSystem, place);
    window->setTitle(ownWindow ? "zvknobs (own window)" : "zvknobs (host window)");
    auto controls = buildControls(host);
    if (ownWindow) {
        window->setContentView(controls);
    } else {
        auto hostView = pluginSystem->viewForHandle(window->nativeHandle());
        if (!hostView) {
            std::fprintf(stderr, "zvknobs: the host window cannot be used\n");
            return 1;
        }
        hostView->addSubview(controls);
    }
    window->show();

    auto pump = [&] {
        hostSystem->processPendingEvents();
        pluginSystem->processPendingEvents();
    };
    const auto period = std::chrono::microseconds(33333);
    if (measureSeconds > 0.0) {
        // Let the window come up and be drawn once, then leave it alone.
        for (int i = 0; i < 30; ++i) {
            pump();
            std::this_thread::sleep_for(period);
        }
        const double cpuBefore = processSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        int pumps = 0;
        while (std::chrono::steady_clock::now() - wallBefore <
               std::chrono::duration<double>(measureSeconds)) {
            pump();
            ++pumps;
            std::this_thread::sleep_for(period);
        }
        const double cpu = processSeconds() - cpuBefore;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        std::printf(
            "untouched editor: %.3f ms of processor time in %.1f s (%d pumps), "
            "%.4f%% of a core\n",
            cpu * 1000.0, wall, pumps, 100.0 * cpu / wall);
        return 0;
    }
    while (!window->userClosed) {
        pump();
        std::this_thread::sleep_for(period);
    }
    return 0;
}
