// What a CLAP host reads of the built library before any audio: the one plug-in and its identity,
// its ports, the nine parameters with the VST 2 plug-in's names and texts, the factory programs as
// presets, latency and a tail that the echoes keep to.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "ClapBeside.h"
#include "ClapPresetDiscovery.h"
#include "FactoryPrograms.h"
#include "ParameterFields.h"
#include "ParameterTable.h"

namespace {

const char* const kPluginId = "com.zelvano.zvdelay32";

std::vector<std::string> featuresOf(const clap_plugin_descriptor_t& descriptor) {
    std::vector<std::string> features;
    for (const char* const* f = descriptor.features; f != nullptr && *f != nullptr; ++f) {
        features.emplace_back(*f);
    }
    return features;
}

// The presets a host's indexer hears of, in order: name and load key.
struct Indexed {
    std::vector<clap_preset_discovery_location_t> locations;
    std::vector<std::pair<std::string, std::string>> presets;
    std::vector<std::string> pluginIds;
};

}  // namespace

TEST(ClapPlugin, TheLibraryOffersOneStereoEffectWithItsIdentityPortsAndNoLatency) {
    const ClapLibrary& library = clapLibrary();
    const clap_plugin_factory_t* factory = library.pluginFactory();
    ASSERT_NE(factory, nullptr);
    ASSERT_EQ(factory->get_plugin_count(factory), 1u);
    EXPECT_EQ(factory->get_plugin_descriptor(factory, 1), nullptr);
    const clap_plugin_descriptor_t& descriptor = library.firstPlugin();
    EXPECT_STREQ(descriptor.id, kPluginId);
    EXPECT_STREQ(descriptor.name, "ZvDelay32");
    EXPECT_STREQ(descriptor.vendor, "Zelvano Music");
    EXPECT_STREQ(descriptor.version, "1.0.0");
    EXPECT_EQ(featuresOf(descriptor),
              (std::vector<std::string>{"audio-effect", "delay", "stereo"}));
    EXPECT_EQ(factory->create_plugin(factory, nullptr, kPluginId), nullptr);

    ClapHostedPlugin clap(library);
    const auto* ports = clap.extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    ASSERT_NE(ports, nullptr);
    clap_audio_port_info_t in{}, out{};
    ASSERT_EQ(ports->count(&clap.plugin(), true), 1u);
    ASSERT_EQ(ports->count(&clap.plugin(), false), 1u);
    ASSERT_TRUE(ports->get(&clap.plugin(), 0, true, &in));
    ASSERT_TRUE(ports->get(&clap.plugin(), 0, false, &out));
    EXPECT_FALSE(ports->get(&clap.plugin(), 1, false, &out));
    for (const clap_audio_port_info_t* port : {&in, &out}) {
        EXPECT_EQ(port->channel_count, 2u);
        EXPECT_STREQ(port->port_type, CLAP_PORT_STEREO);
        EXPECT_EQ(port->flags & CLAP_AUDIO_PORT_IS_MAIN, CLAP_AUDIO_PORT_IS_MAIN);
    }
    EXPECT_EQ(in.in_place_pair, out.id);
    EXPECT_EQ(out.in_place_pair, in.id);
    const auto* latency = clap.extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
    ASSERT_NE(latency, nullptr);
    EXPECT_EQ(latency->get(&clap.plugin()), 0u);
    EXPECT_EQ(clap.extension<void>("clap.no-such-extension"), nullptr);
}

// Ids, names, range, steps and defaults; every text as the VST 2 plug-in's display and label for
// the same value at the same rate; a text typed back gives a value whose text it is.
TEST(ClapPlugin, TheNineParametersShowTheVst2PluginsNamesAndTextsAndReadThemBack) {
    ClapHostedPlugin clap(clapLibrary());
    ASSERT_TRUE(clap.activate(48000.0));
    HostedEffect vst2(vst2Library().instantiateChecked(hostCallback));
    vst2.start(48000.0f);
    const auto* params = clap.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    ASSERT_NE(params, nullptr);
    ASSERT_EQ(params->count(&clap.plugin()), static_cast<std::uint32_t>(kNumParams));
    clap_param_info_t info{};
    EXPECT_FALSE(params->get_info(&clap.plugin(), kNumParams, &info));
    for (int index = 0; index < kNumParams; ++index) {
        ASSERT_TRUE(params->get_info(&clap.plugin(), index, &info));
        const auto id = static_cast<clap_id>(index);
        EXPECT_EQ(info.id, id);
        EXPECT_EQ(info.name, vst2.text(effGetParamName, index));
        EXPECT_EQ(info.min_value, 0.0);
        EXPECT_EQ(info.max_value, 1.0);
        EXPECT_EQ(info.default_value, parameter_fields::load(kFactoryPrograms[0].values, index));
        const bool isSwitch = index == kLowPassInLoop || index == kHighPassInLoop;
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, isSwitch) << info.name;
        EXPECT_NE(info.flags & CLAP_PARAM_IS_AUTOMATABLE, 0u);

        for (const double value : {0.0, 0.25, 0.123456789, 0.5, 0.999, 1.0}) {
            vst2.set(index, static_cast<float>(value));
            std::string expected = vst2.text(effGetParamDisplay, index);
            const std::string label = vst2.text(effGetParamLabel, index);
            if (!label.empty()) expected += " " + label;
            const std::string text = clap.text(id, value);
            EXPECT_EQ(text, expected) << info.name << " at " << value;
            double back = -1.0;
            ASSERT_TRUE(params->text_to_value(&clap.plugin(), id, text.c_str(), &back)) << text;
            EXPECT_EQ(clap.text(id, back), text);
            ASSERT_TRUE(params->text_to_value(&clap.plugin(), id,
                                              vst2.text(effGetParamDisplay, index).c_str(), &back));
            EXPECT_EQ(clap.text(id, back), text);
        }
        double unused = 0.0;
        EXPECT_FALSE(params->text_to_value(&clap.plugin(), id, "loud", &unused));
    }
    char buffer[8];
    EXPECT_FALSE(params->value_to_text(&clap.plugin(), kNumParams, 0.5, buffer, sizeof buffer));
    // A buffer shorter than the text gets as much as fits, terminated.
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_TRUE(params->value_to_text(&clap.plugin(), kMix, 0.5, buffer, 4));
    EXPECT_STREQ(buffer, "0.5");
}

// Listed through the discovery factory (its current and its draft id), loaded by key: the factory
// values whatever the program's memory held, the host told; a key that is no preset changes
// nothing.
TEST(ClapPlugin, TheFactoryProgramsAreListedAsPresetsAndLoadWithTheirFactoryValues) {
    for (const char* id :
         {CLAP_PRESET_DISCOVERY_FACTORY_ID, CLAP_PRESET_DISCOVERY_FACTORY_ID_COMPAT}) {
        const auto* discovery =
            static_cast<const clap_preset_discovery_factory_t*>(clapLibrary().factory(id));
        ASSERT_NE(discovery, nullptr) << id;
        ASSERT_EQ(discovery->count(discovery), 1u);
        const auto* provider = discovery->get_descriptor(discovery, 0);
        ASSERT_NE(provider, nullptr);

        Indexed indexed;
        clap_preset_discovery_indexer_t indexer{};
        indexer.clap_version = CLAP_VERSION;
        indexer.name = "test";
        indexer.indexer_data = &indexed;
        indexer.declare_filetype = [](const clap_preset_discovery_indexer_t*,
                                      const clap_preset_discovery_filetype_t*) { return true; };
        indexer.declare_location = [](const clap_preset_discovery_indexer_t* i,
                                      const clap_preset_discovery_location_t* location) {
            static_cast<Indexed*>(i->indexer_data)->locations.push_back(*location);
            return true;
        };
        indexer.get_extension = [](const clap_preset_discovery_indexer_t*,
                                   const char*) -> const void* { return nullptr; };
        const auto* made = discovery->create(discovery, &indexer, provider->id);
        ASSERT_NE(made, nullptr);
        ASSERT_TRUE(made->init(made));
        ASSERT_EQ(indexed.locations.size(), 1u);
        EXPECT_EQ(indexed.locations[0].kind, CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN);
        EXPECT_EQ(indexed.locations[0].location, nullptr);
        EXPECT_NE(indexed.locations[0].flags & CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT, 0u);

        clap_preset_discovery_metadata_receiver_t receiver{};
        receiver.receiver_data = &indexed;
        receiver.on_error = [](const clap_preset_discovery_metadata_receiver_t*, std::int32_t,
                               const char*) { ADD_FAILURE() << "error while listing"; };
        receiver.begin_preset = [](const clap_preset_discovery_metadata_receiver_t* r,
                                   const char* name, const char* key) {
            static_cast<Indexed*>(r->receiver_data)->presets.emplace_back(name, key);
            return true;
        };
        receiver.add_plugin_id = [](const clap_preset_discovery_metadata_receiver_t* r,
                                    const clap_universal_plugin_id_t* plugin) {
            EXPECT_STREQ(plugin->abi, "clap");
            static_cast<Indexed*>(r->receiver_data)->pluginIds.emplace_back(plugin->id);
        };
        receiver.set_flags = [](const clap_preset_discovery_metadata_receiver_t*, std::uint32_t) {};
        receiver.add_creator = [](const clap_preset_discovery_metadata_receiver_t*, const char*) {};
        ASSERT_TRUE(
            made->get_metadata(made, CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN, nullptr, &receiver));
        made->destroy(made);
        ASSERT_EQ(indexed.presets.size(), static_cast<std::size_t>(kNumPrograms));
        EXPECT_EQ(indexed.pluginIds, std::vector<std::string>(kNumPrograms, kPluginId));
        HostedEffect vst2(vst2Library().instantiateChecked(hostCallback));
        for (int program = 0; program < kNumPrograms; ++program) {
            EXPECT_EQ(indexed.presets[program].first,
                      vst2.text(effGetProgramNameIndexed, program, 0));
            EXPECT_EQ(indexed.presets[program].second, std::to_string(program));
        }
    }

    ClapHostedPlugin clap(clapLibrary());
    ASSERT_TRUE(loadPreset(clap, 7));
    clap.flush({{0, kMix, 0.0}, {0, kDelay, 0.0}});  // the user changes the program's memory
    ASSERT_TRUE(loadPreset(clap, 3));
    ASSERT_TRUE(loadPreset(clap, 7));
    for (int index = 0; index < kNumParams; ++index) {
        EXPECT_EQ(clap.value(index), parameter_fields::load(kFactoryPrograms[7].values, index));
    }
    EXPECT_EQ(clap.notes().presetsLoaded, 3);
    EXPECT_GE(clap.notes().rescans, 3);
    EXPECT_GE(clap.notes().dirtyMarks, 3);

    const auto* presets = clap.extension<clap_plugin_preset_load_t>(CLAP_EXT_PRESET_LOAD);
    for (const char* key : {"26", "-1", "", "3x", "99999999999"}) {
        EXPECT_FALSE(presets->from_location(&clap.plugin(), 1, nullptr, key)) << key;
    }
    EXPECT_FALSE(presets->from_location(&clap.plugin(), 1, nullptr, nullptr));
    EXPECT_FALSE(presets->from_location(&clap.plugin(), 0, "/tmp/3", "3"));
    EXPECT_EQ(clap.notes().presetErrors, 7);
    EXPECT_EQ(clap.value(kMix), parameter_fields::load(kFactoryPrograms[7].values, kMix));
}

// The tail the plug-in reports is the time after which an impulse's echoes stay 120 dB down; it
// lasts for ever at full feedback, and the host hears when a delay or feedback event changes it.
TEST(ClapPlugin, TheTailIsTheTimeTheEchoesTakeToFall120Decibels) {
    ClapHostedPlugin clap(clapLibrary());
    ASSERT_TRUE(clap.activate(44100.0));
    const auto* tail = clap.extension<clap_plugin_tail_t>(CLAP_EXT_TAIL);
    ASSERT_NE(tail, nullptr);
    StereoBuffer silence(64);
    float* io[2] = {silence.left.data(), silence.right.data()};
    clap.process(io, io, 64, {{0, kFeedBack, 1.0}});
    EXPECT_EQ(tail->get(&clap.plugin()), CLAP_TAIL_INFINITE);
    clap.process(io, io, 64, {{0, kDelay, 0.01}, {0, kFeedBack, 0.5}, {0, kMix, 1.0}});
    EXPECT_GE(clap.notes().tailChanges, 3);

    const std::uint32_t frames = tail->get(&clap.plugin());
    ASSERT_GT(frames, 441u);
    ASSERT_LT(frames, 44100u);
    StereoBuffer input = impulse(frames + 4096, 0, 1.0f, 1.0f);
    const StereoBuffer output = renderClap(clap, input, {512});
    float loudestAfter = 0.0f, loudestBefore = 0.0f;
    for (std::size_t i = 1; i < output.frames(); ++i) {
        const float level = std::max(std::fabs(output.left[i]), std::fabs(output.right[i]));
        float& loudest = i < frames ? loudestBefore : loudestAfter;
        loudest = std::max(loudest, level);
    }
    EXPECT_GT(loudestBefore, 0.1f);
    EXPECT_LT(loudestAfter, 1.0e-6f);
}
