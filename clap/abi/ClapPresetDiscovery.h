// The CLAP preset-discovery factory, declared from the public CLAP documentation: a host asks the
// library for providers, each declares where its presets are and lists them with their metadata.
#pragma once

#include <cstdint>

#include "ClapPlugin.h"

extern "C" {

inline constexpr char CLAP_PRESET_DISCOVERY_FACTORY_ID[] = "clap.preset-discovery-factory/2";
inline constexpr char CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT[] =
    "clap.preset-discovery-factory/draft-2";

enum : std::uint32_t {
    CLAP_PRESET_DISCOVERY_LOCATION_FILE = 0,
    // Presets inside the plug-in's library; the location is then null.
    CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN = 1,
};

enum : std::uint32_t {
    CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT = 1u << 0,
    CLAP_PRESET_DISCOVERY_IS_USER_CONTENT = 1u << 1,
};

typedef std::uint64_t clap_timestamp_t;

struct clap_universal_plugin_id_t {
    const char* abi;  // "clap" for a CLAP plug-in
    const char* id;
};

struct clap_preset_discovery_metadata_receiver_t {
    void* receiver_data;
    void (*on_error)(const clap_preset_discovery_metadata_receiver_t* receiver,
                     std::int32_t os_error, const char* error_message);
    bool (*begin_preset)(const clap_preset_discovery_metadata_receiver_t* receiver,
                         const char* name, const char* load_key);
    void (*add_plugin_id)(const clap_preset_discovery_metadata_receiver_t* receiver,
                          const clap_universal_plugin_id_t* plugin_id);
    void (*set_soundpack_id)(const clap_preset_discovery_metadata_receiver_t* receiver,
                             const char* soundpack_id);
    void (*set_flags)(const clap_preset_discovery_metadata_receiver_t* receiver,
                      std::uint32_t flags);
    void (*add_creator)(const clap_preset_discovery_metadata_receiver_t* receiver,
                        const char* creator);
    void (*set_description)(const clap_preset_discovery_metadata_receiver_t* receiver,
                            const char* description);
    void (*set_timestamps)(const clap_preset_discovery_metadata_receiver_t* receiver,
                           clap_timestamp_t creation_time, clap_timestamp_t modification_time);
    void (*add_feature)(const clap_preset_discovery_metadata_receiver_t* receiver,
                        const char* feature);
    void (*add_extra_info)(const clap_preset_discovery_metadata_receiver_t* receiver,
                           const char* key, const char* value);
};

struct clap_preset_discovery_filetype_t {
    const char* name;
    const char* description;
    const char* file_extension;
};

struct clap_preset_discovery_location_t {
    std::uint32_t flags;
    const char* name;
    std::uint32_t kind;
    const char* location;
};

struct clap_preset_discovery_soundpack_t;

struct clap_preset_discovery_provider_descriptor_t {
    clap_version_t clap_version;
    const char* id;
    const char* name;
    const char* vendor;
};

struct clap_preset_discovery_provider_t {
    const clap_preset_discovery_provider_descriptor_t* desc;
    void* provider_data;
    bool (*init)(const clap_preset_discovery_provider_t* provider);
    void (*destroy)(const clap_preset_discovery_provider_t* provider);
    bool (*get_metadata)(const clap_preset_discovery_provider_t* provider,
                         std::uint32_t location_kind, const char* location,
                         const clap_preset_discovery_metadata_receiver_t* metadata_receiver);
    const void* (*get_extension)(const clap_preset_discovery_provider_t* provider,
                                 const char* extension_id);
};

struct clap_preset_discovery_indexer_t {
    clap_version_t clap_version;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    void* indexer_data;
    bool (*declare_filetype)(const clap_preset_discovery_indexer_t* indexer,
                             const clap_preset_discovery_filetype_t* filetype);
    bool (*declare_location)(const clap_preset_discovery_indexer_t* indexer,
                             const clap_preset_discovery_location_t* location);
    bool (*declare_soundpack)(const clap_preset_discovery_indexer_t* indexer,
                              const clap_preset_discovery_soundpack_t* soundpack);
    const void* (*get_extension)(const clap_preset_discovery_indexer_t* indexer,
                                 const char* extension_id);
};

struct clap_preset_discovery_factory_t {
    std::uint32_t (*count)(const clap_preset_discovery_factory_t* factory);
    const clap_preset_discovery_provider_descriptor_t* (*get_descriptor)(
        const clap_preset_discovery_factory_t* factory, std::uint32_t index);
    const clap_preset_discovery_provider_t* (*create)(
        const clap_preset_discovery_factory_t* factory,
        const clap_preset_discovery_indexer_t* indexer, const char* provider_id);
};

}  // extern "C"
