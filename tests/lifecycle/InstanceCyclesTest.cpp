// A thousand instances, one after another, each taken through the host's whole life of an
// instance: create, open, switch on, process, switch off, close. Each must sound exactly like
// the first (nothing is carried from one instance to the next) and none may keep memory.
#include <gtest/gtest.h>

#include "AudioChecks.h"
#include "HostCallback.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"
#include "ResidentMemory.h"
#include "StereoBuffer.h"

namespace {
constexpr int kCycles = 1000;
constexpr VstInt32 kBlock = 512;

StereoBuffer oneLife(const PluginLibrary& library, const StereoBuffer& input) {
    HostedEffect effect(library.instantiate(quietHost));
    if (!effect) return StereoBuffer();
    effect.call(effOpen);
    effect.call(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect.call(effSetBlockSize, 0, kBlock);
    effect.call(effMainsChanged, 0, 1);
    effect.call(effSetProgram, 0, 16);  // both filters in the loop, modulation on
    StereoBuffer in = input;
    StereoBuffer out(in.frames());
    for (std::size_t start = 0; start < in.frames(); start += kBlock) {
        float* inputs[2] = {in.left.data() + start, in.right.data() + start};
        float* outputs[2] = {out.left.data() + start, out.right.data() + start};
        effect.process(inputs, outputs, kBlock);
    }
    effect.call(effMainsChanged, 0, 0);
    effect.close();
    return out;
}
}  // namespace

TEST(InstanceCycles, AThousandLivesOneAfterAnotherSoundAlikeAndKeepNoMemory) {
    PluginLibrary library(ZV_PLUGIN_PATH);
    // Long enough for the echo (8158 samples here) to come back and feed back.
    const StereoBuffer input = noise(16 * kBlock + 8192 * 2, 21);
    const StereoBuffer first = oneLife(library, input);
    ASSERT_EQ(first.frames(), input.frames());
    EXPECT_EQ(countUnusableSamples(first.left.data(), first.frames()), 0u);

    long residentAfterWarmUp = 0;
    int differing = 0;
    for (int cycle = 1; cycle < kCycles; ++cycle) {
        const StereoBuffer out = oneLife(library, input);
        if (out.left != first.left || out.right != first.right) ++differing;
        if (cycle == 100) residentAfterWarmUp = residentKilobytes();
    }
    EXPECT_EQ(differing, 0);
    if (!ZV_MEMORY_IS_QUARANTINED) {
        // Each instance holds about 1.5 MB of delay lines: a leak of one per cycle would show as
        // well over a gigabyte.
        EXPECT_LT(residentKilobytes() - residentAfterWarmUp, 16 * 1024);
    }
}

TEST(InstanceCycles, LoadingAndUnloadingThePlugInFiftyTimesKeepsItWorking) {
    const StereoBuffer input = noise(8192, 22);
    StereoBuffer first;
    for (int load = 0; load < 50; ++load) {
        PluginLibrary library(ZV_PLUGIN_PATH);
        StereoBuffer out = oneLife(library, input);
        if (load == 0) first = out;
        ASSERT_TRUE(out.left == first.left && out.right == first.right) << "load " << load;
    }
}
