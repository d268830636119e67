#include "ClapIdentity.h"

#include "PluginIdentity.h"

namespace {

const char* const kFeatures[] = {"audio-effect", "delay", "stereo", nullptr};

const clap_plugin_descriptor_t kDescriptor{
    CLAP_VERSION,
    clap_identity::kPluginId,
    plugin_identity::kEffectName,
    plugin_identity::kVendorName,
    "",
    "",
    "",
    plugin_identity::kVersionText,
    "A stereo cross-feedback delay",
    kFeatures,
};

}  // namespace

const clap_plugin_descriptor_t& clap_identity::descriptor() { return kDescriptor; }
