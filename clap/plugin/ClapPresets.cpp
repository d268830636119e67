// The 26 factory programs as CLAP presets: a discovery provider lists them as presets inside the
// plug-in (their load key is the program's number), and preset-load brings one back with its
// factory values, however the program's memory was changed since.
#include <charconv>
#include <cstring>
#include <new>

#include "ClapDelay.h"
#include "ClapIdentity.h"
#include "ClapOfferedExtensions.h"
#include "ClapPresetDiscovery.h"
#include "ClapPresets.h"
#include "FactoryPrograms.h"
#include "PluginIdentity.h"

namespace {

// The program a load key names: its number, in decimal, and nothing else.
int programOfKey(const char* key) {
    if (key == nullptr) return -1;
    const char* end = key + std::strlen(key);
    int program = -1;
    const auto [stop, error] = std::from_chars(key, end, program);
    if (error != std::errc{} || stop != end || key == end) return -1;
    return program >= 0 && program < kNumPrograms ? program : -1;
}

bool loadPreset(const clap_plugin_t* plugin, std::uint32_t kind, const char* location,
                const char* key) {
    ClapDelay& delay = ClapDelay::of(plugin);
    const clap_host_preset_load_t* hostSide = delay.hostExtensions().presetLoad;
    const int program = kind == CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN ? programOfKey(key) : -1;
    if (program < 0) {
        if (hostSide != nullptr && hostSide->on_error != nullptr) {
            hostSide->on_error(delay.clapHost(), kind, location, key, 0,
                               "not a preset of this plug-in");
        }
        return false;
    }
    DelayCore& core = delay.delayCore();
    core.selectProgram(program);
    for (int index = 0; index < kNumParams; ++index) {
        core.setParameter(index, core.factoryValue(index));
    }
    delay.tellHostValuesChanged();
    delay.tellHostProjectChanged();
    if (hostSide != nullptr && hostSide->loaded != nullptr) {
        hostSide->loaded(delay.clapHost(), kind, location, key);
    }
    return true;
}

constexpr clap_plugin_preset_load_t kPresetLoad{loadPreset};

// --- discovery ---

const clap_preset_discovery_provider_descriptor_t kProviderDescriptor{
    CLAP_VERSION, clap_identity::kPresetProviderId, "ZvDelay32 factory programs",
    plugin_identity::kVendorName};

struct Provider {
    clap_preset_discovery_provider_t record;
    const clap_preset_discovery_indexer_t* indexer;
};

bool declareLocation(const clap_preset_discovery_provider_t* provider) {
    const auto* indexer = static_cast<Provider*>(provider->provider_data)->indexer;
    if (indexer == nullptr || indexer->declare_location == nullptr) return false;
    const clap_preset_discovery_location_t location{CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT,
                                                    "Factory programs",
                                                    CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN, nullptr};
    return indexer->declare_location(indexer, &location);
}

bool listPresets(const clap_preset_discovery_provider_t*, std::uint32_t kind, const char*,
                 const clap_preset_discovery_metadata_receiver_t* receiver) {
    if (kind != CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN || receiver == nullptr) return false;
    const clap_universal_plugin_id_t forPlugin{"clap", clap_identity::kPluginId};
    for (int program = 0; program < kNumPrograms; ++program) {
        char key[4] = {};
        std::to_chars(key, key + sizeof key - 1, program);
        if (!receiver->begin_preset(receiver, kFactoryPrograms[program].name, key)) break;
        if (receiver->add_plugin_id != nullptr) receiver->add_plugin_id(receiver, &forPlugin);
        if (receiver->set_flags != nullptr) {
            receiver->set_flags(receiver, CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT);
        }
        if (receiver->add_creator != nullptr) {
            receiver->add_creator(receiver, plugin_identity::kVendorName);
        }
    }
    return true;
}

const clap_preset_discovery_provider_t* createProvider(
    const clap_preset_discovery_factory_t*, const clap_preset_discovery_indexer_t* indexer,
    const char* id) {
    if (id == nullptr || std::strcmp(id, clap_identity::kPresetProviderId) != 0) return nullptr;
    auto* provider = new (std::nothrow) Provider{};
    if (provider == nullptr) return nullptr;
    provider->indexer = indexer;
    provider->record.desc = &kProviderDescriptor;
    provider->record.provider_data = provider;
    provider->record.init = declareLocation;
    provider->record.destroy = [](const clap_preset_discovery_provider_t* p) {
        delete static_cast<Provider*>(p->provider_data);
    };
    provider->record.get_metadata = listPresets;
    provider->record.get_extension = [](const clap_preset_discovery_provider_t*,
                                        const char*) -> const void* { return nullptr; };
    return &provider->record;
}

constexpr clap_preset_discovery_factory_t kDiscovery{
    [](const clap_preset_discovery_factory_t*) { return 1u; },
    [](const clap_preset_discovery_factory_t*, std::uint32_t index) {
        return index == 0 ? &kProviderDescriptor : nullptr;
    },
    createProvider,
};

}  // namespace

const clap_plugin_preset_load_t& clapPresetLoad() { return kPresetLoad; }
const clap_preset_discovery_factory_t& clapPresetDiscovery() { return kDiscovery; }
