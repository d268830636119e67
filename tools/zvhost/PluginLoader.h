// One plug-in instance, loaded from its shared object the way any Linux VST 2.4 host loads it:
// dlopen, look up VSTPluginMain, call it with the host callback, check the record it returns.
#pragma once

#include "AEffect.h"

#include <string>

namespace zvhost {

class Plugin {
public:
    // Throws HostError (ExitStatus::plugin) with one line saying what went wrong.
    explicit Plugin(const std::string& path);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    const std::string& path() const { return path_; }
    AEffect& effect() { return *effect_; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);

    // Ends the instance (effClose). The record is gone afterwards; only the destructor may follow.
    void close();

private:
    std::string path_;
    void* library_ = nullptr;
    AEffect* effect_ = nullptr;
};

}  // namespace zvhost
