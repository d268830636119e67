// zvknobs: the editor's controls in a window, for trying them by hand.
//
//   zvknobs                      a host-like window with the controls in a child window of it
//   zvknobs --floating           the controls in a floating window of their own
//   zvknobs --measure-idle 10    leave the window untouched for 10 s, pumped 30 times a second
//                                as a host idles its editor, and print the processor time used
//   zvknobs --png FILE           draw the controls in memory and save them as a PNG
//
// Every step a knob reaches and every switch click is printed.
#include <time.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BackgroundView.h"
#include "ControlListener.h"
#include "Knob.h"
#include "LayoutFrames.h"
#include "LoopSwitch.h"
#include "View.h"
#include "Window.h"
#include "headless/HeadlessSurface.h"
#include "x11/X11WindowSystem.h"

namespace {

// The step each knob starts at, in the layout's order: a spread that shows the pictures.
constexpr int kStartingSteps[] = {25, 50, 40, 0, 99, 70, 50};
static_assert(std::size(kStartingSteps) == layout::knobs.size());

// Prints what the controls report.
class PrintingDelegate : public ControlListener {
public:
    void knobUpdatedWithIndex(int index, const int* value, ui::View* object) override {
        if (value == nullptr) {
            std::printf("switch clicked\n");
        } else {
            std::printf("knob at (%g, %g): step %d\n", object->frame().minX(),
                        object->frame().minY(), index);
        }
        std::fflush(stdout);
    }
    void controlReleased(ui::View* /*object*/) override {}
};

std::shared_ptr<ui::View> buildControls(ControlListener& delegate) {
    auto main = std::make_shared<ui::View>(editorBounds());
    auto frames = std::make_shared<ui::ImageList>();
    for (int i = 0; i < 128; ++i) {
        frames->push_back(std::make_shared<ui::Image>("fxknob" + std::to_string(i), "png"));
    }
    for (std::size_t k = 0; k < layout::knobs.size(); ++k) {
        auto knob =
            std::make_shared<Knob>(rectOf(layout::knobs[k].frame), 2, 3, ui::Color::clearColor(),
                                   ui::Color::clearColor(), ui::Color::clearColor(), frames);
        auto steps = std::make_shared<std::vector<int>>();
        for (int i = 0; i < 100; ++i) steps->push_back(i);
        knob->controlPoint()->setDelegate(&delegate);
        knob->controlPoint()->setData(steps);
        knob->controlPoint()->setIntValue(kStartingSteps[k]);
        main->addSubview(knob);
    }
    auto off = std::make_shared<ui::Image>("switchoff");
    auto on = std::make_shared<ui::Image>("switchon");
    for (const layout::Control& place : layout::switches) {
        auto toggle = std::make_shared<LoopSwitch>(rectOf(place.frame), off, on);
        toggle->setDelegate(&delegate);
        main->addSubview(toggle);
    }
    auto background = std::make_shared<BackgroundView>(
        std::make_shared<ui::Image>("delaybackground"), editorBounds());
    main->addSubview(background, ui::View::Ordering::WindowBelow, nullptr);
    return main;
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
    PrintingDelegate delegate;
    ui::headless::HeadlessSurface surface(buildControls(delegate));
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
    bool floating = false;
    double measureSeconds = 0.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--floating") == 0) {
            floating = true;
        } else if (std::strcmp(argv[i], "--measure-idle") == 0 && i + 1 < argc) {
            measureSeconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
            return savePicture(argv[i + 1]);
        } else {
            std::fprintf(stderr,
                         "usage: zvknobs [--floating] [--measure-idle SECONDS] [--png FILE]\n");
            return 2;
        }
    }

    PrintingDelegate delegate;
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
    auto window = std::make_shared<ClosableWindow>(
        floating ? *pluginSystem : *hostSystem, place,
        ui::WindowStyleTitled | ui::WindowStyleClosable | ui::WindowStyleMinimizable,
        ui::BackingStore::Buffered, true, nullptr);
    window->setTitle(floating ? "zvknobs (floating)" : "zvknobs (host window)");
    auto controls = buildControls(delegate);
    if (floating) {
        window->setLevel(ui::windowLevelForKey(ui::WindowLevelKey::Floating));
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
