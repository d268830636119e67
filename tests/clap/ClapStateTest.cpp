// The settings a CLAP host keeps with its project: saved and loaded through streams that move as
// little as one byte a call, and every stream that is not a saved state (empty, short, longer,
// random, of a later version, failing half-way) refused with the settings as they were.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "ClapBeside.h"
#include "ParameterTable.h"

namespace {

std::vector<double> valuesOf(const ClapHostedPlugin& clap) {
    std::vector<double> values;
    for (int index = 0; index < kNumParams; ++index) values.push_back(clap.value(index));
    return values;
}

}  // namespace

TEST(ClapState, TheSettingsComeBackThroughStreamsThatMoveOneByteACall) {
    ClapHostedPlugin saved(clapLibrary());
    ASSERT_TRUE(loadPreset(saved, 12));
    saved.flush({{0, kMix, 0.125}, {0, kLowPassInLoop, 1.0}, {0, kDelay, 0.3}});
    const auto whole = saved.saveState();
    const auto byteByByte = saved.saveState(1);
    ASSERT_TRUE(whole && byteByByte);
    EXPECT_EQ(*byteByByte, *whole);

    ClapHostedPlugin loaded(clapLibrary());
    ASSERT_TRUE(loaded.activate(44100.0));
    ASSERT_TRUE(loaded.loadState(*whole, 1));
    EXPECT_EQ(valuesOf(loaded), valuesOf(saved));
    EXPECT_EQ(loaded.saveState(3), whole);
    EXPECT_GE(loaded.notes().rescans, 1);
    EXPECT_EQ(loaded.notes().dirtyMarks, 0) << "loading the host's own state changed its project";
}

TEST(ClapState, AStreamThatIsNoSavedStateIsRefusedAndTheSettingsStay) {
    ClapHostedPlugin clap(clapLibrary());
    ASSERT_TRUE(loadPreset(clap, 5));
    clap.flush({{0, kPan, 0.2}});
    const std::vector<std::uint8_t> good = *clap.saveState();
    const std::vector<double> before = valuesOf(clap);

    std::vector<std::vector<std::uint8_t>> bad{{}, {good.begin(), good.begin() + 7}};
    bad.emplace_back(good.begin(), good.end() - 1);
    bad.push_back(good);
    bad.back().push_back(0);
    bad.push_back(good);
    bad.back()[4] += 1;  // a later version of the format
    std::mt19937 random(7);
    for (const std::size_t size : {good.size(), std::size_t{13}, std::size_t{100000}}) {
        std::vector<std::uint8_t> noise(size);
        for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
        bad.push_back(noise);
    }
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(clap.loadState(bad[i])) << "stream " << i;
        EXPECT_FALSE(clap.loadState(bad[i], 1)) << "stream " << i << " byte by byte";
        EXPECT_EQ(valuesOf(clap), before) << "stream " << i;
    }
    EXPECT_EQ(*clap.saveState(), good);

    // A stream that fails part of the way, on reading and on writing.
    const auto* state = clap.extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    int calls = 0;
    clap_istream_t failing{&calls, [](const clap_istream_t* s, void* data, std::uint64_t) {
                               if (++*static_cast<int*>(s->ctx) > 3) return std::int64_t{-1};
                               *static_cast<std::uint8_t*>(data) = 'Z';
                               return std::int64_t{1};
                           }};
    EXPECT_FALSE(state->load(&clap.plugin(), &failing));
    clap_ostream_t full{
        nullptr, [](const clap_ostream_t*, const void*, std::uint64_t) { return std::int64_t{0}; }};
    EXPECT_FALSE(state->save(&clap.plugin(), &full));
    EXPECT_EQ(valuesOf(clap), before);
}
