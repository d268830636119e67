// The built plug-in, loaded with dlopen as a host loads it. Instances come only from its one
// exported entry point.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "HostedEffect.h"

class PluginLibrary {
public:
    using EntryPoint = AEffect* (*)(audioMasterCallback);

    explicit PluginLibrary(const char* path) : handle(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {
        if (handle == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
        entry = reinterpret_cast<EntryPoint>(dlsym(handle, "VSTPluginMain"));
        if (entry == nullptr) {
            dlclose(handle);
            throw std::runtime_error("no VSTPluginMain");
        }
    }
    ~PluginLibrary() { dlclose(handle); }
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    HostedEffect instantiate(audioMasterCallback host = quietHost) const {
        return HostedEffect(entry(host));
    }

private:
    void* handle;
    EntryPoint entry = nullptr;
};
