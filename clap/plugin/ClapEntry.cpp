// The library's one export, clap_entry: the plug-in factory with the one plug-in, and the preset
// discovery factory with its factory programs.
#include <cstring>
#include <new>

#include "ClapAssembly.h"
#include "ClapDelay.h"
#include "ClapIdentity.h"
#include "ClapPresets.h"

namespace {

const clap_plugin_t* createPlugin(const clap_plugin_factory_t*, const clap_host_t* host,
                                  const char* id) {
    if (host == nullptr || !clap_version_is_compatible(host->clap_version) || id == nullptr ||
        std::strcmp(id, clap_identity::kPluginId) != 0) {
        return nullptr;
    }
    auto* delay = new (std::nothrow) ClapDelay(host, clapEditorExtensions());
    return delay != nullptr ? delay->record() : nullptr;
}

constexpr clap_plugin_factory_t kPluginFactory{
    [](const clap_plugin_factory_t*) { return 1u; },
    [](const clap_plugin_factory_t*, std::uint32_t index) {
        return index == 0 ? &clap_identity::descriptor() : nullptr;
    },
    createPlugin,
};

const void* factory(const char* id) {
    if (id == nullptr) return nullptr;
    if (std::strcmp(id, CLAP_PLUGIN_FACTORY_ID) == 0) return &kPluginFactory;
    if (std::strcmp(id, CLAP_PRESET_DISCOVERY_FACTORY_ID) == 0 ||
        std::strcmp(id, CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT) == 0) {
        return &clapPresetDiscovery();
    }
    return nullptr;
}

}  // namespace

#if defined(_WIN32)
#define ZV_CLAP_EXPORT __declspec(dllexport)
#else
#define ZV_CLAP_EXPORT __attribute__((visibility("default")))
#endif

extern "C" ZV_CLAP_EXPORT const clap_plugin_entry_t clap_entry{
    CLAP_VERSION,
    [](const char*) { return true; },
    [] {},
    factory,
};
