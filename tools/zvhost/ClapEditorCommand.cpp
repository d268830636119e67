// zvhost editor for a CLAP plug-in: its gui created for X11 and placed in a top-level window of
// ours, driven as a CLAP host drives it (its timers fire, its display connection is watched).
// Every value the editor sends the host is printed with the plug-in's own text.
#include <poll.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <thread>
#include <vector>

#include "ClapCommands.h"
#include "ClapHostedPlugin.h"
#include "ClapSettings.h"
#include "Commands.h"
#include "HostError.h"

// Last: it brings Xlib, whose macros (None, Bool, Status...) would clash with the headers above.
#include "ParentWindow.h"

namespace zvhost {

namespace {

volatile std::sig_atomic_t clapInterrupted = 0;
extern "C" void onClapInterrupt(int /*signal*/) { clapInterrupted = 1; }

// Waits up to `wait` for one of the plug-in's watched descriptors to become readable.
void waitForFiles(ClapHostedPlugin& plugin, std::chrono::milliseconds wait) {
    std::vector<pollfd> watched;
    for (const auto& [fd, flags] : plugin.notes().files) watched.push_back({fd, POLLIN, 0});
    if (watched.empty()) {
        std::this_thread::sleep_for(wait);
        return;
    }
    if (poll(watched.data(), watched.size(), static_cast<int>(wait.count())) > 0) {
        plugin.signalFiles();
    }
}

}  // namespace

void runClapEditor(const std::string& path, const Command& request, std::ostream& out) {
    if (!request.pngPath.empty()) {
        throw HostError(ExitStatus::usage,
                        "--png is for VST 2 plug-ins; a CLAP editor is shown only");
    }
    const ClapLibrary library = openClap(path);
    ClapHostedPlugin plugin(library);
    plugin.activate(kListSampleRate, kListBlockSize);
    applyClapSettings(library, plugin, RequestedSettings{request.settings.program, {}});
    const auto* gui = plugin.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    if (gui == nullptr || !gui->create(&plugin.plugin(), CLAP_WINDOW_API_X11, false)) {
        throw HostError(ExitStatus::failure, "the plug-in has no X11 editor: " + path);
    }
    std::uint32_t width = 400, height = 300;
    gui->get_size(&plugin.plugin(), &width, &height);
    const std::string name = plugin.plugin().desc->name;
    ParentWindow window({0, 0, width, height}, ParentWindow::Background::black,
                        name + " - zvhost editor");
    clap_window_t parent{};
    parent.api = CLAP_WINDOW_API_X11;
    parent.x11 = window.id();
    if (!gui->set_parent(&plugin.plugin(), &parent) || !gui->show(&plugin.plugin())) {
        gui->destroy(&plugin.plugin());
        throw HostError(ExitStatus::failure, "the plug-in's editor would not show: " + path);
    }
    out << "editor of " << name << " open: close its window or press Ctrl-C to end" << std::endl;

    clapInterrupted = 0;
    struct sigaction action {};
    struct sigaction former {};
    action.sa_handler = onClapInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &former);
    std::optional<std::chrono::steady_clock::time_point> end;
    if (request.closeAfterSeconds) {
        end = std::chrono::steady_clock::now() +
              std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                  std::chrono::duration<double>(*request.closeAfterSeconds));
    }
    while (clapInterrupted == 0 && window.stillOpen()) {
        plugin.fireTimers();
        // The editor's gestures reach the host at its flush, as they would at its next block.
        for (const ClapToldEvent& event : plugin.flush()) {
            if (event.type != CLAP_EVENT_PARAM_VALUE) continue;
            for (const ClapParameter& parameter : clapParameters(plugin)) {
                if (parameter.id == event.id) {
                    out << parameter.name << ": " << plugin.text(event.id, event.value)
                        << std::endl;
                }
            }
        }
        if (end && std::chrono::steady_clock::now() >= *end) break;
        waitForFiles(plugin, std::chrono::milliseconds(16));
    }
    sigaction(SIGINT, &former, nullptr);
    // The editor goes while the window it was shown in still exists.
    gui->destroy(&plugin.plugin());
}

}  // namespace zvhost
