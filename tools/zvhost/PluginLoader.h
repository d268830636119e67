// One plug-in instance for one zvhost command: its library and the instance made through its entry
// point with zvhost's host callback, every failure to load one reported as a plug-in error. A VST 3
// bundle (a path ending in .vst3) is driven through an effect record that makes its VST 3 calls.
#pragma once

#include <memory>
#include <string>

#include "AEffect.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"
#include "Vst3Record.h"

namespace zvhost {

class Plugin {
public:
    // Throws HostError (ExitStatus::plugin) with one line saying what went wrong.
    explicit Plugin(const std::string& path);

    const std::string& path() const { return _path; }
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
    std::string _path;
    // First: the instance is closed before its library goes. One of the two.
    std::unique_ptr<PluginLibrary> _library;
    std::unique_ptr<Vst3Record> _vst3;
    HostedEffect _instance;
};

}  // namespace zvhost
