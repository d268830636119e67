// The presets a CLAP library lists through its preset-discovery factory, read the way a host's
// indexer reads them: every provider, every location it declares, every preset there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ClapLibrary.h"

struct ClapPreset {
    std::string name;
    std::uint32_t locationKind;
    std::optional<std::string> location;  // none for presets inside the plug-in
    std::string loadKey;
};

// Empty when the library has no discovery factory.
std::vector<ClapPreset> indexPresets(const ClapLibrary& library);
