// The host's side of the end-to-end editor tests: the built plug-in loaded with dlopen and reached
// only through its record, and a top-level X window of the host's own, on a connection of the
// host's own, into which the editor is opened.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

#include "HostCallback.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"
#include "Pump.h"

// Last: Xlib's macros (None, Bool, Status...) would clash with names in the headers above.
#include "HostWindow.h"

// The gesture messages a host hears from the plug-in (begin, automate, end), in order.
struct GestureMessage {
    VstInt32 opcode;
    VstInt32 index;
    float value;  // the automated value; 0 for begin and end
    friend bool operator==(const GestureMessage&, const GestureMessage&) = default;
};
inline std::vector<GestureMessage>& gesturesHeard() {
    static std::vector<GestureMessage> heard;
    return heard;
}
// A host that answers the version query and keeps the gesture messages.
inline VstIntPtr gestureRecordingHost(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                      VstIntPtr value, void* ptr, float opt) {
    if (opcode == audioMasterBeginEdit || opcode == audioMasterAutomate ||
        opcode == audioMasterEndEdit) {
        gesturesHeard().push_back({opcode, index, opcode == audioMasterAutomate ? opt : 0.0f});
    }
    return quietHost(effect, opcode, index, value, ptr, opt);
}

// The plug-in library and one instance of the effect.
class LoadedEffect {
public:
    explicit LoadedEffect(audioMasterCallback host = quietHost)
        : effect(library.instantiateChecked(host)) {}

    VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f) {
        return effect.call(opcode, index, value, ptr, opt);
    }
    float parameter(VstInt32 index) { return effect.get(index); }
    void closeEffect() { effect.close(); }
    AEffect* record() const { return effect.record(); }

    // Idles the editor as a host does (every 5 ms) until `done` holds; false after two seconds.
    bool idleUntil(const std::function<bool()>& done) {
        return pumpUntil([this] { call(effEditIdle); }, done);
    }
    void idleFor(std::chrono::milliseconds time) {
        pumpFor([this] { call(effEditIdle); }, time);
    }

private:
    PluginLibrary library{ZV_PLUGIN_PATH};
    HostedEffect effect;
};

// How many files the process has open: the editor's display connection is one of them.
inline std::size_t openFiles() {
    std::size_t count = 0;
    const std::filesystem::directory_iterator files("/proc/self/fd");
    for ([[maybe_unused]] const auto& entry : files) ++count;
    return count;
}
