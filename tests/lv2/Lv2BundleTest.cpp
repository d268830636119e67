// The bundle a host reads, against the tables it was written from: ports, names, ranges,
// defaults, toggles and every preset. A mistake here is a plug-in that works in one host and not
// in another, or a session that recalls the wrong sound.
#include <gtest/gtest.h>

#include "BundleWorld.h"
#include "FactoryPrograms.h"
#include "Lv2Identity.h"
#include "ParameterFields.h"
#include "RunProgram.h"

namespace {

float nodeFloat(LilvNode* node) {
    const float value = node != nullptr ? lilv_node_as_float(node) : -1.0f;
    lilv_node_free(node);
    return value;
}

}  // namespace

TEST(Lv2Bundle, DescribesEveryPortAsTheParameterTableHasIt) {
    BundleWorld bundle;
    const LilvPlugin* plugin = bundle.plugin();
    ASSERT_NE(plugin, nullptr);
    ASSERT_TRUE(lilv_plugin_verify(plugin));
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), lv2id::kPortCount);
    const LilvNode* audio = bundle.uri(LILV_URI_AUDIO_PORT);
    const LilvNode* control = bundle.uri(LILV_URI_CONTROL_PORT);
    const LilvNode* input = bundle.uri(LILV_URI_INPUT_PORT);
    const LilvNode* toggled = bundle.uri(LILV_NS_LV2 "toggled");

    for (std::uint32_t index = 0; index < lv2id::kFirstControlPort; ++index) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
        EXPECT_TRUE(lilv_port_is_a(plugin, port, audio)) << index;
        EXPECT_EQ(lilv_port_is_a(plugin, port, input), lv2id::kAudioPorts[index].input) << index;
    }
    for (const ParameterRow& row : kParameterTable) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, lv2id::controlPort(row.index));
        ASSERT_NE(port, nullptr) << row.symbol;
        EXPECT_TRUE(lilv_port_is_a(plugin, port, control) && lilv_port_is_a(plugin, port, input));
        EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)), row.symbol);
        LilvNode* name = lilv_port_get_name(plugin, port);
        EXPECT_STREQ(lilv_node_as_string(name), row.name);
        lilv_node_free(name);
        LilvNode *fallback = nullptr, *minimum = nullptr, *maximum = nullptr;
        lilv_port_get_range(plugin, port, &fallback, &minimum, &maximum);
        EXPECT_EQ(nodeFloat(minimum), 0.0f) << row.symbol;
        EXPECT_EQ(nodeFloat(maximum), 1.0f) << row.symbol;
        EXPECT_EQ(nodeFloat(fallback),
                  parameter_fields::load(kFactoryPrograms[0].values, row.index))
            << row.symbol;
        EXPECT_EQ(lilv_port_has_property(plugin, port, toggled), row.display == DisplayRule::Switch)
            << row.symbol;
    }
}

TEST(Lv2Bundle, HasEveryProgramAsAPresetWithItsNameAndValues) {
    BundleWorld bundle;
    const auto presets = bundle.presets();
    ASSERT_EQ(presets.size(), static_cast<std::size_t>(kNumPrograms));
    for (int program = 0; program < kNumPrograms; ++program) {
        const BundlePreset& preset = presets[static_cast<std::size_t>(program)];
        EXPECT_EQ(preset.uri, lv2id::presetUri(program));
        EXPECT_EQ(preset.label, kFactoryPrograms[static_cast<std::size_t>(program)].name);
        for (int index = 0; index < kNumParams; ++index) {
            EXPECT_EQ(preset.values[static_cast<std::size_t>(index)],
                      parameter_fields::load(
                          kFactoryPrograms[static_cast<std::size_t>(program)].values, index))
                << preset.label << ", parameter " << index;
        }
    }
}

TEST(Lv2Bundle, PassesTheLv2SchemaValidation) {
    const std::string folder = ZV_LV2_BUNDLE_DIR;
    const auto result = zvtest::runProgram({"/bin/sh", "-c", "lv2_validate \"$0\"/*.ttl", folder});
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_NE((result.out + result.err).find("Found 0 errors"), std::string::npos)
        << result.out << result.err;
}
