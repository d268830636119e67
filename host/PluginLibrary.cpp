#include "PluginLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace {

[[noreturn]] void fail(const std::string& message) { throw PluginLoadError(message); }

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) : _path(path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) fail("plug-in not found: " + path);
    if (!S_ISREG(status.st_mode)) fail("plug-in is not a file: " + path);

    // A bare file name would make dlopen search the library path instead of the current folder.
    const std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
    handle = ::dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        fail("cannot load plug-in " + path + ": " + (reason != nullptr ? reason : "unknown error"));
    }
    entryPoint = reinterpret_cast<EntryPoint>(::dlsym(handle, "VSTPluginMain"));
    if (entryPoint == nullptr) {
        ::dlclose(handle);
        fail("not a VST 2.4 plug-in (no VSTPluginMain): " + path);
    }
}

PluginLibrary::~PluginLibrary() { ::dlclose(handle); }
