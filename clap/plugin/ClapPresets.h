// The factory the library hands a host that indexes presets.
#pragma once

#include "ClapPresetDiscovery.h"

const clap_preset_discovery_factory_t& clapPresetDiscovery();
