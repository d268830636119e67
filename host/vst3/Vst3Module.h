// A VST 3 module opened the way a Linux host opens it: the bundle's library for this machine
// loaded with dlopen, ModuleEntry called with its handle, then the factory from GetPluginFactory.
// ModuleExit is called as it closes.
#pragma once

#include <string>

#include "PluginLibrary.h"
#include "Vst3Factory.h"

class Vst3Module {
public:
    // `path`: the bundle (ZvDelay32.vst3) or its library. Throws PluginLoadError for a missing
    // file, one dlopen refuses, a missing entry point or a module that refuses to start.
    explicit Vst3Module(const std::string& path);
    ~Vst3Module();
    Vst3Module(const Vst3Module&) = delete;
    Vst3Module& operator=(const Vst3Module&) = delete;

    // The library inside a bundle (the path itself when it is no folder).
    static std::string libraryOf(const std::string& path);
    // Whether `path` names a VST 3 bundle or library (ends in .vst3).
    static bool isVst3(const std::string& path);

    const std::string& path() const { return libraryPath; }
    vst3::IPluginFactory& factory() const { return *pluginFactory; }

private:
    std::string libraryPath;
    void* handle = nullptr;
    vst3::IPluginFactory* pluginFactory = nullptr;
};
