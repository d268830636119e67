// One instance of the delay as a CLAP host sees it: the plug-in record the host calls through,
// translated into the core's calls (rate, parameters, programs, audio), and the host's own
// extensions the plug-in reaches back through. The extensions the plug-in offers live in files of
// their own (ClapParams, ClapState, ClapPorts, ClapPresets, and the editor's in clap/editor) and
// reach the instance with ClapDelay::of.
//
// Threads, as CLAP names them: the record's calls other than process come on the host's main
// thread; process, and flush while active, on its audio thread, never at once. Host events are
// applied at their frames by processing the block in pieces; the editor's gestures reach the host
// as output events of the next process or flush.
#pragma once

#include <cstdint>
#include <memory>

#include "ClapEditorHost.h"
#include "ClapExtensions.h"
#include "ClapPlugin.h"
#include "DelayCore.h"
#include "GestureRelay.h"

// The editor an assembly gives the instance: only the editor's own extension code knows what it
// is, and the instance destroys it first when it goes.
class ClapEditorSlot {
public:
    virtual ~ClapEditorSlot() = default;
};

// The editor's extensions, which the plug-in's assembly supplies (none in tests of the audio).
struct ClapEditorExtensions {
    const clap_plugin_gui_t* gui = nullptr;
    const clap_plugin_timer_support_t* timerSupport = nullptr;
    const clap_plugin_posix_fd_support_t* posixFdSupport = nullptr;
};

// The host's extensions, each null when the host has none.
struct ClapHostExtensions {
    const clap_host_params_t* params = nullptr;
    const clap_host_state_t* state = nullptr;
    const clap_host_tail_t* tail = nullptr;
    const clap_host_gui_t* gui = nullptr;
    const clap_host_timer_support_t* timerSupport = nullptr;
    const clap_host_posix_fd_support_t* posixFdSupport = nullptr;
    const clap_host_preset_load_t* presetLoad = nullptr;
};

class ClapDelay {
public:
    ClapDelay(const clap_host_t* host, const ClapEditorExtensions& editorExtensions);
    ~ClapDelay();
    ClapDelay(const ClapDelay&) = delete;
    ClapDelay& operator=(const ClapDelay&) = delete;

    // The record the host holds; its plugin_data leads back here.
    const clap_plugin_t* record() const { return &plugin; }
    static ClapDelay& of(const clap_plugin_t* plugin) {
        return *static_cast<ClapDelay*>(plugin->plugin_data);
    }

    DelayCore& delayCore() { return core; }
    ClapEditorHost& editorSide() { return editorHost; }
    const clap_host_t* clapHost() const { return host; }
    const ClapHostExtensions& hostExtensions() const { return hostHas; }
    std::unique_ptr<ClapEditorSlot>& editorSlot() { return editor; }
    bool isActive() const { return active; }

    // Host events from `in` applied, and the editor's gestures told through `out` (either may be
    // null): what process does between pieces of audio, and all flush does.
    void flush(const clap_input_events_t* in, const clap_output_events_t* out);
    // After the settings changed behind the host's back (a preset, a state): it reads them again.
    void tellHostValuesChanged();
    // After a change the project must keep (a preset the user chose).
    void tellHostProjectChanged();

private:
    bool init();
    bool activate(double sampleRate);
    std::int32_t process(const clap_process_t& block);
    void applyEvent(const clap_event_header_t& event);
    void tellHostOfGestures(const clap_output_events_t* out);
    const void* extension(const char* id) const;

    clap_plugin_t plugin{};
    const clap_host_t* host;
    ClapHostExtensions hostHas;
    ClapEditorExtensions editorExtensions;
    DelayCore core;
    GestureRelay gestures;
    ClapEditorHost editorHost;
    bool active = false;
    std::unique_ptr<ClapEditorSlot> editor;
};
