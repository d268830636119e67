#include "ClapPresetIndex.h"

#include "ClapPresetDiscovery.h"

namespace {

struct Indexing {
    std::vector<clap_preset_discovery_location_t> locations;
    std::vector<std::string> locationTexts;
    std::vector<ClapPreset>* presets = nullptr;
    const clap_preset_discovery_location_t* current = nullptr;
};

Indexing& indexingOf(const clap_preset_discovery_indexer_t* indexer) {
    return *static_cast<Indexing*>(indexer->indexer_data);
}
Indexing& indexingOf(const clap_preset_discovery_metadata_receiver_t* receiver) {
    return *static_cast<Indexing*>(receiver->receiver_data);
}

const clap_preset_discovery_factory_t* discoveryOf(const ClapLibrary& library) {
    const void* factory = library.factory(CLAP_PRESET_DISCOVERY_FACTORY_ID);
    if (factory == nullptr) factory = library.factory(CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT);
    return static_cast<const clap_preset_discovery_factory_t*>(factory);
}

}  // namespace

std::vector<ClapPreset> indexPresets(const ClapLibrary& library) {
    std::vector<ClapPreset> presets;
    const clap_preset_discovery_factory_t* discovery = discoveryOf(library);
    if (discovery == nullptr) return presets;
    for (std::uint32_t i = 0; i < discovery->count(discovery); ++i) {
        const auto* descriptor = discovery->get_descriptor(discovery, i);
        if (descriptor == nullptr) continue;
        Indexing indexing;
        indexing.presets = &presets;
        clap_preset_discovery_indexer_t indexer{};
        indexer.clap_version = CLAP_VERSION;
        indexer.name = "zvhost";
        indexer.indexer_data = &indexing;
        indexer.declare_filetype = [](const clap_preset_discovery_indexer_t*,
                                      const clap_preset_discovery_filetype_t*) { return true; };
        indexer.declare_location = [](const clap_preset_discovery_indexer_t* self,
                                      const clap_preset_discovery_location_t* location) {
            if (location == nullptr) return false;
            Indexing& into = indexingOf(self);
            into.locations.push_back(*location);
            into.locationTexts.emplace_back(location->location != nullptr ? location->location
                                                                          : "");
            return true;
        };
        indexer.declare_soundpack = [](const clap_preset_discovery_indexer_t*,
                                       const clap_preset_discovery_soundpack_t*) { return true; };
        indexer.get_extension = [](const clap_preset_discovery_indexer_t*,
                                   const char*) -> const void* { return nullptr; };
        const auto* provider = discovery->create(discovery, &indexer, descriptor->id);
        if (provider == nullptr) continue;
        if (provider->init(provider)) {
            clap_preset_discovery_metadata_receiver_t receiver{};
            receiver.receiver_data = &indexing;
            receiver.on_error = [](const clap_preset_discovery_metadata_receiver_t*, std::int32_t,
                                   const char*) {};
            receiver.begin_preset = [](const clap_preset_discovery_metadata_receiver_t* self,
                                       const char* name, const char* key) {
                Indexing& into = indexingOf(self);
                const clap_preset_discovery_location_t& where = *into.current;
                std::optional<std::string> location;
                if (where.location != nullptr) location = where.location;
                into.presets->push_back(
                    {name != nullptr ? name : "", where.kind, location, key != nullptr ? key : ""});
                return true;
            };
            receiver.add_plugin_id = [](const clap_preset_discovery_metadata_receiver_t*,
                                        const clap_universal_plugin_id_t*) {};
            receiver.set_soundpack_id = [](const clap_preset_discovery_metadata_receiver_t*,
                                           const char*) {};
            receiver.set_flags = [](const clap_preset_discovery_metadata_receiver_t*,
                                    std::uint32_t) {};
            receiver.add_creator = [](const clap_preset_discovery_metadata_receiver_t*,
                                      const char*) {};
            receiver.set_description = [](const clap_preset_discovery_metadata_receiver_t*,
                                          const char*) {};
            receiver.set_timestamps = [](const clap_preset_discovery_metadata_receiver_t*,
                                         clap_timestamp_t, clap_timestamp_t) {};
            receiver.add_feature = [](const clap_preset_discovery_metadata_receiver_t*,
                                      const char*) {};
            receiver.add_extra_info = [](const clap_preset_discovery_metadata_receiver_t*,
                                         const char*, const char*) {};
            // The location's text as copied when it was declared: the provider's own may be gone.
            for (std::size_t at = 0; at < indexing.locations.size(); ++at) {
                clap_preset_discovery_location_t& location = indexing.locations[at];
                if (location.location != nullptr) {
                    location.location = indexing.locationTexts[at].c_str();
                }
                indexing.current = &location;
                provider->get_metadata(provider, location.kind, location.location, &receiver);
            }
        }
        provider->destroy(provider);
    }
    return presets;
}
