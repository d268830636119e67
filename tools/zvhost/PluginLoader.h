// One plug-in instance for one zvhost command: its library and the instance made through its entry
// point with zvhost's host callback, every failure to load one reported as a plug-in error.
#pragma once

#include <string>

#include "AEffect.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"

namespace zvhost {

class Plugin {
public:
    // Throws HostError (ExitStatus::plugin) with one line saying what went wrong.
    explicit Plugin(const std::string& path);

    const std::string& path() const { return _library.path(); }
    AEffect& effect() { return *_instance.record(); }
    const HostedEffect& instance() const { return _instance; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) {
        return _instance.call(opcode, index, value, ptr, opt);
    }

    // Opens the instance at a rate and block size, which the host callback then answers with too.
    void open(float sampleRate, VstInt32 blockSize);

    // Ends the instance (effClose). The record is gone afterwards; only the destructor may follow.
    void close() { _instance.close(); }

private:
    PluginLibrary _library;  // first: the instance is closed before its library goes
    HostedEffect _instance;
};

}  // namespace zvhost
