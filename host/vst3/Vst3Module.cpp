#include "Vst3Module.h"

#include <dlfcn.h>

#include <filesystem>

std::string Vst3Module::libraryOf(const std::string& path) {
    const std::filesystem::path bundle(path);
    if (!std::filesystem::is_directory(bundle)) return path;
    const std::string name = bundle.filename().replace_extension().string();
    return (bundle / "Contents" / "x86_64-linux" / (name + ".so")).string();
}

bool Vst3Module::isVst3(const std::string& path) {
    std::filesystem::path p(path);
    if (!p.has_filename()) p = p.parent_path();
    return p.extension() == ".vst3";
}

Vst3Module::Vst3Module(const std::string& path) : libraryPath(libraryOf(path)) {
    if (!std::filesystem::exists(libraryPath)) {
        throw PluginLoadError(libraryPath + ": no such file");
    }
    handle = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        throw PluginLoadError(libraryPath + ": " + (why != nullptr ? why : "cannot be loaded"));
    }
    using Entry = bool (*)(void*);
    using GetFactory = vst3::IPluginFactory* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle, "ModuleEntry"));
    const auto getFactory = reinterpret_cast<GetFactory>(dlsym(handle, "GetPluginFactory"));
    if (entry == nullptr || getFactory == nullptr) {
        dlclose(handle);
        throw PluginLoadError(libraryPath + ": not a VST 3 module (no ModuleEntry or factory)");
    }
    if (!entry(handle) || (pluginFactory = getFactory()) == nullptr) {
        dlclose(handle);
        throw PluginLoadError(libraryPath + ": the module refused to start");
    }
}

Vst3Module::~Vst3Module() {
    pluginFactory->release();
    using Exit = bool (*)();
    if (const auto exit = reinterpret_cast<Exit>(dlsym(handle, "ModuleExit"))) exit();
    dlclose(handle);
}
