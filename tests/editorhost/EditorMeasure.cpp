// zv_editor_measure: what the built plug-in's editor costs a host, on a virtual X server of its
// own (Xvfb, 1024 x 768).
//
//   zv_editor_measure [--opens N] [--idle-seconds S] [--changes-per-second C]
//
// Open time: N opens into one host window, each followed by the idle that first draws it and a
// close; the first open (which connects to the display and decodes the pictures) is reported on
// its own. Idle cost: the open, untouched editor idled 30 times a second for S seconds, as hosts
// idle their editors; the processor time of this process (plug-in and host side) and of the X
// server, as a share of one core. With C above 0, the same again while the host changes the delay
// and the feedback C times a second, as automation does (the knobs and the echo picture are drawn
// again at each change). ZVDELAY32_SCALE=2 measures the editor at twice the pixels.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "HostCallback.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"
#include "XTestSupport.h"
#include "XvfbServer.h"

// Last: it brings Xlib, whose macros (None, Bool, Status...) would clash with the headers above.
#include "ParentWindow.h"

namespace {

using xtest::processSeconds;
using xtest::serverSeconds;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    int opens = 50;
    double idleSeconds = 10.0;
    double changesPerSecond = 0.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--opens") == 0 && i + 1 < argc) {
            opens = std::max(2, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--idle-seconds") == 0 && i + 1 < argc) {
            idleSeconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--changes-per-second") == 0 && i + 1 < argc) {
            changesPerSecond = std::atof(argv[++i]);
        } else {
            std::fprintf(stderr,
                         "usage: zv_editor_measure [--opens N] [--idle-seconds S] "
                         "[--changes-per-second C]\n");
            return 2;
        }
    }
    const std::string program = XvfbServer::findProgram();
    if (program.empty()) {
        std::fprintf(stderr, "zv_editor_measure: Xvfb is not installed (Debian package xvfb)\n");
        return 77;
    }
    XvfbServer server(program);
    if (!server.running()) return 1;
    setenv("DISPLAY", server.displayName().c_str(), 1);

    const PluginLibrary library(ZV_PLUGIN_PATH);
    HostedEffect effect(library.instantiateChecked(quietHost));
    auto call = [&effect](VstInt32 opcode, void* ptr = nullptr) {
        return effect.call(opcode, 0, 0, ptr);
    };
    const ParentWindow window({0, 0, 344, 400}, ParentWindow::Background::black);
    Display* dpy = window.display();
    void* handle = window.handle();

    double firstOpen = 0.0, firstDraw = 0.0, openTotal = 0.0, drawTotal = 0.0;
    for (int i = 0; i < opens; ++i) {
        auto start = std::chrono::steady_clock::now();
        call(effEditOpen, handle);
        const double open = millisecondsSince(start);
        start = std::chrono::steady_clock::now();
        call(effEditIdle);
        XSync(dpy, False);
        const double draw = millisecondsSince(start);
        call(effEditClose);
        if (i == 0) {
            firstOpen = open;
            firstDraw = draw;
        } else {
            openTotal += open;
            drawTotal += draw;
        }
    }
    std::printf("first open: %.2f ms for effEditOpen, %.2f ms for the idle that draws it\n",
                firstOpen, firstDraw);
    std::printf("later opens (%d): %.3f ms per effEditOpen, %.3f ms for the idle that draws it\n",
                opens - 1, openTotal / (opens - 1), drawTotal / (opens - 1));

    call(effEditOpen, handle);
    const auto period = std::chrono::microseconds(33333);
    for (int i = 0; i < 30; ++i) {
        call(effEditIdle);
        std::this_thread::sleep_for(period);
    }
    XSync(dpy, False);
    const auto measureIdle = [&](const char* what, double changes) {
        const double cpuBefore = processSeconds();
        const double serverBefore = serverSeconds(server.pid());
        const auto wallBefore = std::chrono::steady_clock::now();
        int idles = 0;
        int changed = 0;
        while (millisecondsSince(wallBefore) < idleSeconds * 1000.0) {
            // The changes due by now, alternately the delay and the feedback, to values that
            // wander over their range.
            while (changes > 0.0 && changed < millisecondsSince(wallBefore) / 1000.0 * changes) {
                const float value =
                    0.05f + 0.9f * static_cast<float>((changed * 37) % 100) / 100.0f;
                effect.set(changed % 2 == 0 ? 0 : 1, value);
                ++changed;
            }
            call(effEditIdle);
            ++idles;
            std::this_thread::sleep_for(period);
        }
        XSync(dpy, False);
        const double wall = millisecondsSince(wallBefore) / 1000.0;
        const double cpu = processSeconds() - cpuBefore;
        const double serverCpu = serverSeconds(server.pid()) - serverBefore;
        std::printf(
            "idle, %s: %d idles in %.1f s: %.3f ms of processor time (%.4f%% of a "
            "core, %.2f us per idle); X server %.4f%% of a core\n",
            what, idles, wall, cpu * 1000.0, 100.0 * cpu / wall, 1e6 * cpu / idles,
            100.0 * serverCpu / wall);
    };
    measureIdle("untouched", 0.0);
    if (changesPerSecond > 0.0) {
        const std::string what = "the host changing two parameters " +
                                 std::to_string(changesPerSecond) + " times a second";
        measureIdle(what.c_str(), changesPerSecond);
    }

    call(effEditClose);
    effect.close();
    return 0;
}
