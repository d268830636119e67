#include "BundleWorld.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "Lv2Identity.h"

namespace {
constexpr const char* kPresetClass = "http://lv2plug.in/ns/ext/presets#Preset";
constexpr const char* kPresetValue = "http://lv2plug.in/ns/ext/presets#value";
constexpr const char* kLabel = "http://www.w3.org/2000/01/rdf-schema#label";

std::string decimal(float value) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<double>(value)).ptr;
    return std::string(digits, end);
}
}  // namespace

BundleWorld::BundleWorld() : lilvWorld(lilv_world_new()) {
    LilvNode* bundle = lilv_new_file_uri(lilvWorld, nullptr, ZV_LV2_BUNDLE_DIR "/");
    nodes.push_back(bundle);
    lilv_world_load_bundle(lilvWorld, bundle);
    lilvPlugin =
        lilv_plugins_get_by_uri(lilv_world_get_all_plugins(lilvWorld), uri(lv2id::kPluginUri));
}

BundleWorld::~BundleWorld() {
    for (LilvNode* node : nodes) lilv_node_free(node);
    lilv_world_free(lilvWorld);
}

const LilvNode* BundleWorld::uri(const std::string& text) {
    nodes.push_back(lilv_new_uri(lilvWorld, text.c_str()));
    return nodes.back();
}

std::vector<BundlePreset> BundleWorld::presets() {
    std::vector<BundlePreset> found;
    if (lilvPlugin == nullptr) return found;
    LilvNodes* related = lilv_plugin_get_related(lilvPlugin, uri(kPresetClass));
    LILV_FOREACH(nodes, i, related) {
        const LilvNode* node = lilv_nodes_get(related, i);
        lilv_world_load_resource(lilvWorld, node);
        BundlePreset preset;
        preset.uri = lilv_node_as_uri(node);
        if (LilvNode* label = lilv_world_get(lilvWorld, node, uri(kLabel), nullptr)) {
            preset.label = lilv_node_as_string(label);
            lilv_node_free(label);
        }
        preset.values.fill(-1.0f);
        LilvNodes* ports = lilv_world_find_nodes(lilvWorld, node, uri(LILV_NS_LV2 "port"), nullptr);
        LILV_FOREACH(nodes, p, ports) {
            const LilvNode* port = lilv_nodes_get(ports, p);
            LilvNode* symbol = lilv_world_get(lilvWorld, port, uri(LILV_NS_LV2 "symbol"), nullptr);
            LilvNode* value = lilv_world_get(lilvWorld, port, uri(kPresetValue), nullptr);
            for (const ParameterRow& row : kParameterTable) {
                if (symbol != nullptr && value != nullptr &&
                    row.symbol == std::string(lilv_node_as_string(symbol))) {
                    preset.values[static_cast<std::size_t>(row.index)] = lilv_node_as_float(value);
                }
            }
            lilv_node_free(symbol);
            lilv_node_free(value);
        }
        lilv_nodes_free(ports);
        found.push_back(preset);
    }
    lilv_nodes_free(related);
    std::sort(found.begin(), found.end(),
              [](const BundlePreset& a, const BundlePreset& b) { return a.uri < b.uri; });
    return found;
}

std::vector<std::string> lv2applyArguments(const BundlePreset& preset, const std::string& in,
                                           const std::string& out) {
    std::vector<std::string> arguments{"lv2apply", "-i", in, "-o", out};
    for (const ParameterRow& row : kParameterTable) {
        arguments.insert(
            arguments.end(),
            {"-c", row.symbol, decimal(preset.values[static_cast<std::size_t>(row.index)])});
    }
    arguments.push_back(lv2id::kPluginUri);
    return arguments;
}
