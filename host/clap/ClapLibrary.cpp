#include "ClapLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <filesystem>
#include <system_error>

#include "PluginLibrary.h"

namespace {

void* openLibrary(const std::string& path, std::string& why) {
#if defined(_WIN32)
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) why = "LoadLibrary failed with error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(module);
#else
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) why = dlerror();
    return handle;
#endif
}

void* symbolIn(void* handle, const char* name) {
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
}

void closeLibrary(void* handle) {
#if defined(_WIN32)
    FreeLibrary(reinterpret_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

}  // namespace

// The library by its absolute path: a bare file name would send dlopen to the system's folders,
// and the plug-in's init is given where it lives.
ClapLibrary::ClapLibrary(const std::string& path) : _path(path) {
    std::error_code unknown;
    const std::filesystem::path absolute = std::filesystem::absolute(path, unknown);
    std::string why;
    handle = openLibrary(unknown ? path : absolute.string(), why);
    if (handle == nullptr) throw PluginLoadError(path + ": " + why);
    _entry = static_cast<const clap_plugin_entry_t*>(symbolIn(handle, "clap_entry"));
    const auto fail = [&](const std::string& message) {
        closeLibrary(handle);
        throw PluginLoadError(path + ": " + message);
    };
    if (_entry == nullptr) fail("no clap_entry");
    if (!clap_version_is_compatible(_entry->clap_version)) fail("a CLAP version we do not speak");
    if (_entry->init == nullptr || !_entry->init(path.c_str())) fail("its init failed");
}

ClapLibrary::~ClapLibrary() {
    if (_entry->deinit != nullptr) _entry->deinit();
    closeLibrary(handle);
}

const clap_plugin_descriptor_t& ClapLibrary::firstPlugin() const {
    const clap_plugin_factory_t* plugins = pluginFactory();
    const clap_plugin_descriptor_t* first =
        plugins != nullptr && plugins->get_plugin_count(plugins) > 0
            ? plugins->get_plugin_descriptor(plugins, 0)
            : nullptr;
    if (first == nullptr) throw PluginLoadError(_path + ": no plug-in in its factory");
    return *first;
}
