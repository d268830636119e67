// What a CLAP host is told the plug-in is: its id, which never changes once published (hosts keep
// it in their projects), and the features it files the plug-in under.
#pragma once

#include "ClapPlugin.h"

namespace clap_identity {

inline constexpr char kPluginId[] = "com.zelvano.zvdelay32";
inline constexpr char kPresetProviderId[] = "com.zelvano.zvdelay32.factory-programs";

// The descriptor of the one plug-in in the library.
const clap_plugin_descriptor_t& descriptor();

}  // namespace clap_identity
