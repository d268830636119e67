// The module's exported entry points: the factory, and the calls a host makes as it loads and
// unloads the module (ModuleEntry and ModuleExit on Linux, InitDll and ExitDll on Windows). The
// module keeps nothing between them.
#include "PluginFactory.h"

#ifdef _WIN32
#define ZV_EXPORT extern "C" __declspec(dllexport)
#else
#define ZV_EXPORT extern "C" __attribute__((visibility("default")))
#endif

ZV_EXPORT vst3::IPluginFactory* GetPluginFactory() { return plugin_factory::instance(); }

#ifdef _WIN32
ZV_EXPORT bool InitDll() { return true; }
ZV_EXPORT bool ExitDll() { return true; }
#else
ZV_EXPORT bool ModuleEntry(void* /*sharedLibraryHandle*/) { return true; }
ZV_EXPORT bool ModuleExit() { return true; }
#endif
