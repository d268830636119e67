// The CLAP plug-in's samples against the VST 2 plug-in's, bit for bit: every program at three
// rates in blocks of odd sizes, in place and not; host events at frames inside a block against the
// same change made between VST 2 blocks at that frame; out-of-range and not-a-number values; a new
// rate at a second activation; an instance destroyed while still active.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ClapBeside.h"
#include "FactoryPrograms.h"
#include "ParameterTable.h"

namespace {

const std::vector<std::uint32_t> kOddBlocks{1, 7, 333, 4096, 513, 64, 2};

HostedEffect vst2At(float rate, int program) {
    HostedEffect vst2(vst2Library().instantiateChecked(hostCallback));
    vst2.start(rate, 4096);
    vst2.call(effSetProgram, 0, program);
    return vst2;
}

}  // namespace

TEST(ClapSound, EveryProgramAtEveryRateSoundsAsTheVst2PluginInOddBlocks) {
    const StereoBuffer input = noise(30000, 11);
    for (const float rate : {44100.0f, 48000.0f, 96000.0f}) {
        for (int program = 0; program < kNumPrograms; ++program) {
            // Every program at the first rate, a third of them at the others.
            if (rate != 44100.0f && program % 3 != 0) continue;
            HostedEffect vst2 = vst2At(rate, program);
            ClapHostedPlugin clap(clapLibrary());
            ASSERT_TRUE(clap.activate(rate));
            ASSERT_TRUE(loadPreset(clap, program));
            const long differs = firstDifference(renderClap(clap, input, kOddBlocks),
                                                 renderVst2(vst2, input, {4096}));
            EXPECT_EQ(differs, -1) << "program " << program << " at " << rate << " Hz";
        }
    }
}

// Each event takes effect at its frame: the VST 2 plug-in, given the same change between two
// blocks split there, sounds the same. A value outside 0..1 is held to it, one that is no number
// changes nothing, and no not-a-number reaches the output.
TEST(ClapSound, EventsAtFramesInsideABlockSoundAsChangesBetweenVst2BlocksThere) {
    const StereoBuffer input = noise(20000, 3);
    const Changes changes{
        {0, kDelay, 0.05},
        {0, kFeedBack, 0.8},
        {100, kMix, 0.3},
        {100, kPan, 0.9},
        {1001, kDelay, 0.011},
        {1001, kLowPassInLoop, 1.0},
        {2500, kFeedBack, 7.0},
        {2500, kMix, -3.0},
        {4095, kLowPass, std::nan("")},
        {4096, kHighPass, 0.4},
        {9000, kPanWidth, 1.0},
        {15000, kDelay, 1.0},
        {15001, kHighPassInLoop, 1.0},
        {19999, kMix, 1.0},
    };
    HostedEffect vst2 = vst2At(44100.0f, 4);
    ClapHostedPlugin clap(clapLibrary());
    ASSERT_TRUE(clap.activate(44100.0));
    ASSERT_TRUE(loadPreset(clap, 4));
    const StereoBuffer heard = renderClap(clap, input, {8192, 301, 4096}, changes);
    EXPECT_EQ(firstDifference(heard, renderVst2(vst2, input, {8192}, changes)), -1);
    for (std::size_t i = 0; i < heard.frames(); ++i) {
        ASSERT_FALSE(std::isnan(heard.left[i]) || std::isnan(heard.right[i])) << i;
    }
    EXPECT_EQ(clap.value(kFeedBack), 1.0);
    EXPECT_EQ(clap.value(kLowPass), vst2.get(kLowPass));
}

// Deactivated after audio at one rate and activated at another, the plug-in sounds as a fresh VST
// 2 instance at the new rate: no echo of the old audio, the delay length of the new rate; and so
// after a reset.
TEST(ClapSound, ActivatedAgainAtAnotherRateOrResetItSoundsAsAFreshInstance) {
    const StereoBuffer input = noise(12000, 5);
    ClapHostedPlugin clap(clapLibrary());
    ASSERT_TRUE(clap.activate(44100.0));
    ASSERT_TRUE(loadPreset(clap, 9));
    renderClap(clap, input, {512});
    clap.deactivate();
    ASSERT_TRUE(clap.activate(96000.0));
    HostedEffect vst2 = vst2At(96000.0f, 9);
    EXPECT_EQ(firstDifference(renderClap(clap, input, {700}), renderVst2(vst2, input, {512})), -1);
    // A host's reset, after audio, starts the sound again as a fresh instance's: no echo, and the
    // pan's half sine from its start.
    clap.plugin().reset(&clap.plugin());
    HostedEffect fresh = vst2At(96000.0f, 9);
    EXPECT_EQ(firstDifference(renderClap(clap, input, {333}), renderVst2(fresh, input, {512})), -1);
    EXPECT_FALSE(clap.activate(0.0));
    EXPECT_FALSE(clap.activate(std::nan("")));
}

// A host may destroy an instance it never deactivated (or never activated): nothing is left
// behind for the sanitizers to find, and the library goes on making instances.
TEST(ClapSound, AnInstanceDestroyedWhileActiveOrNeverActivatedLeavesNothingBehind) {
    {
        ClapHostedPlugin clap(clapLibrary());
        ASSERT_TRUE(clap.activate(48000.0));
        StereoBuffer buffer = noise(256, 1);
        float* io[2] = {buffer.left.data(), buffer.right.data()};
        clap.process(io, io, 256);
        clap.destroyNow();
    }
    {
        ClapHostedPlugin clap(clapLibrary());
        clap.destroyNow();
    }
    ClapHostedPlugin again(clapLibrary());
    EXPECT_TRUE(again.activate(44100.0));
}
