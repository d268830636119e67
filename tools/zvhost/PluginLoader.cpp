#include "PluginLoader.h"

#include "HostCallback.h"
#include "HostError.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace zvhost {

namespace {

using PluginMain = AEffect* (*)(audioMasterCallback);

[[noreturn]] void fail(const std::string& message) {
    throw HostError(ExitStatus::plugin, message);
}

}  // namespace

Plugin::Plugin(const std::string& path) : path_(path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) fail("plug-in not found: " + path);
    if (!S_ISREG(status.st_mode)) fail("plug-in is not a file: " + path);

    // A bare file name would make dlopen search the library path instead of the current folder.
    const std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
    library_ = ::dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) {
        const char* reason = ::dlerror();
        fail("cannot load plug-in " + path + ": " + (reason != nullptr ? reason : "unknown error"));
    }

    void* symbol = ::dlsym(library_, "VSTPluginMain");
    if (symbol == nullptr) {
        ::dlclose(library_);
        fail("not a VST 2.4 plug-in (no VSTPluginMain): " + path);
    }

    const auto pluginMain = reinterpret_cast<PluginMain>(symbol);
    effect_ = pluginMain(hostCallback);
    if (effect_ == nullptr) {
        ::dlclose(library_);
        fail("plug-in refused to start (VSTPluginMain returned no effect): " + path);
    }
    if (effect_->magic != kEffectMagic) {
        // Not a record we know how to drive: do not call into it, not even to close it.
        ::dlclose(library_);
        fail("not a VST 2.4 plug-in (its effect record has the wrong magic number): " + path);
    }
}

Plugin::~Plugin() {
    close();
    ::dlclose(library_);
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void Plugin::close() {
    if (effect_ == nullptr) return;
    dispatch(effClose);
    effect_ = nullptr;
}

}  // namespace zvhost
