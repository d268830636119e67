// The built LV2 bundle as a host reads it, through lilv: loaded from its folder in the build
// tree alone, never from an installed copy.
#pragma once

#include <lilv/lilv.h>

#include <array>
#include <string>
#include <vector>

#include "ParameterTable.h"

struct BundlePreset {
    std::string uri;
    std::string label;
    std::array<float, kNumParams> values{};  // by parameter index, from the symbols in the file
};

class BundleWorld {
public:
    BundleWorld();
    ~BundleWorld();
    BundleWorld(const BundleWorld&) = delete;
    BundleWorld& operator=(const BundleWorld&) = delete;

    LilvWorld* world() const { return lilvWorld; }
    // The plug-in the bundle describes under our URI; null if it does not.
    const LilvPlugin* plugin() const { return lilvPlugin; }
    // A node for a URI, released with the world.
    const LilvNode* uri(const std::string& text);
    // Every preset that applies to the plug-in, ordered by URI (so by program number).
    std::vector<BundlePreset> presets();

private:
    LilvWorld* lilvWorld;
    const LilvPlugin* lilvPlugin = nullptr;
    std::vector<LilvNode*> nodes;
};

// The lv2apply command line that sets every control to a preset's values, each written so that it
// reads back as exactly that float.
std::vector<std::string> lv2applyArguments(const BundlePreset& preset, const std::string& in,
                                           const std::string& out);
