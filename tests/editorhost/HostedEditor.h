// The host's side of the end-to-end editor tests: the built plug-in loaded with dlopen and reached
// only through its record, and a top-level X window of the host's own, on a connection of the
// host's own, into which the editor is opened.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>

#include "HostCallback.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"
#include "Pump.h"

// Last: Xlib's macros (None, Bool, Status...) would clash with names in the headers above.
#include "HostWindow.h"

// The plug-in library and one instance of the effect.
class LoadedEffect {
public:
    LoadedEffect() : effect(library.instantiateChecked(quietHost)) {}

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
