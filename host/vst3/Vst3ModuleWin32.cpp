// Vst3Module on Windows: the bundle's DLL opened with LoadLibrary, InitDll called, then the
// factory; ExitDll as it closes.
#include <windows.h>

#include <filesystem>

#include "Vst3Module.h"

std::string Vst3Module::libraryOf(const std::string& path) {
    const std::filesystem::path bundle(path);
    if (!std::filesystem::is_directory(bundle)) return path;
    const std::string name = bundle.filename().replace_extension().string();
    return (bundle / "Contents" / "x86_64-win" / (name + ".vst3")).string();
}

bool Vst3Module::isVst3(const std::string& path) {
    std::filesystem::path p(path);
    if (!p.has_filename()) p = p.parent_path();
    return p.extension() == ".vst3";
}

Vst3Module::Vst3Module(const std::string& path) : libraryPath(libraryOf(path)) {
    if (!std::filesystem::is_regular_file(libraryPath)) {
        throw PluginLoadError(libraryPath + ": no such file");
    }
    HMODULE module = ::LoadLibraryExA(libraryPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) throw PluginLoadError(libraryPath + ": cannot be loaded");
    handle = module;
    using Init = bool (*)();
    using GetFactory = vst3::IPluginFactory* (*)();
    const auto init =
        reinterpret_cast<Init>(reinterpret_cast<void*>(::GetProcAddress(module, "InitDll")));
    const auto getFactory = reinterpret_cast<GetFactory>(
        reinterpret_cast<void*>(::GetProcAddress(module, "GetPluginFactory")));
    if (init == nullptr || getFactory == nullptr || !init() ||
        (pluginFactory = getFactory()) == nullptr) {
        ::FreeLibrary(module);
        throw PluginLoadError(libraryPath + ": not a VST 3 module, or it refused to start");
    }
}

Vst3Module::~Vst3Module() {
    pluginFactory->release();
    using Exit = bool (*)();
    const auto module = static_cast<HMODULE>(handle);
    if (const auto exit =
            reinterpret_cast<Exit>(reinterpret_cast<void*>(::GetProcAddress(module, "ExitDll")))) {
        exit();
    }
    ::FreeLibrary(module);
}
