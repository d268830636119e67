// The VST 3 bundle's samples against the VST 2 plug-in's, bit for bit.
#include <cmath>
#include <cstring>

#include "Vst3Identity.h"
#include "Vst3TestHost.h"

namespace {

constexpr int kLastProgram = 25;

// Changes at block boundaries and inside blocks, to every kind of parameter, some of them out
// of range or not a number.
std::vector<ScheduledChange> automation(int block) {
    return {
        {0, 1, 0.4321},                    // feedback at the very start
        {block, 8, 0.2718},                // mix exactly at a block boundary: offset 0
        {block + 7, 0, 0.1234},            // delay inside a block: the lines restart there
        {2 * block + 1, 4, 1.0},           // a switch
        {2 * block + 1, 2, 0.6180},        // two parameters at one offset
        {3 * block - 1, 7, 1.75},          // beyond 1: held at 1
        {3 * block + 3, 6, -0.5},          // below 0: held at 0
        {4 * block + 2, 1, std::nan("")},  // not a number: left out
        {5 * block, 3, 0.0625},
    };
}

void startVst2(const HostedEffect& effect, float rate, int block, int program) {
    effect.start(rate, block);
    effect.call(effSetProgram, 0, program);
}

void startVst3(Vst3Instance& instance, double rate, int program) {
    instance.start(rate);
    instance.controller().setParamNormalized(vst3id::kProgramChangeId,
                                             static_cast<double>(program) / kLastProgram);
}

}  // namespace

TEST_F(Vst3AndVst2, EveryProgramAtEveryRateAndOddBlockSoundsAsTheVst2Plugin) {
    const StereoBuffer input = noise(24000, 7);
    for (const double rate : {44100.0, 48000.0, 96000.0}) {
        for (int program = 0; program <= kLastProgram; ++program) {
            const int block = (program % 3 == 0) ? 1 : (program % 3 == 1) ? 333 : 4095;
            SCOPED_TRACE(::testing::Message() << "program " << program << " at " << rate
                                              << " Hz in blocks of " << block);
            HostedEffect vst2 = newVst2();
            startVst2(vst2, static_cast<float>(rate), block, program);
            auto vst3 = newVst3();
            startVst3(*vst3, rate, program);
            expectSameBits(renderVst3(*vst3, input, block), renderVst2(vst2, input, block));
        }
    }
}

TEST_F(Vst3AndVst2, QueuedChangesAreHeardAtTheirOffsetsAndAtOffsetZeroAsAtTheBlockBoundary) {
    const StereoBuffer input = noise(30000, 3);
    for (const int block : {257, 1024, 4001}) {
        for (const int program : {0, 5, 14, 24}) {
            SCOPED_TRACE(::testing::Message() << "program " << program << ", blocks of " << block);
            HostedEffect vst2 = newVst2();
            startVst2(vst2, 48000.0f, block, program);
            auto vst3 = newVst3();
            startVst3(*vst3, 48000.0, program);
            const StereoBuffer heard = renderVst3(*vst3, input, block, automation(block));
            expectSameBits(heard, renderVst2(vst2, input, block, automation(block)));
            for (std::size_t i = 0; i < heard.frames(); ++i) {
                ASSERT_TRUE(std::isfinite(heard.left[i]) && std::isfinite(heard.right[i]));
            }
            EXPECT_EQ(vst3->controller().getParamNormalized(7), 1.0);
            EXPECT_EQ(vst3->controller().getParamNormalized(6), 0.0);
        }
    }
}

TEST_F(Vst3AndVst2, SwitchedOffAndOnAtAnotherRateItSoundsAsTheVst2PluginDoes) {
    const StereoBuffer input = noise(20000, 11);
    HostedEffect vst2 = newVst2();
    startVst2(vst2, 44100.0f, 512, 5);
    auto vst3 = newVst3();
    startVst3(*vst3, 44100.0, 5);
    expectSameBits(renderVst3(*vst3, input, 512), renderVst2(vst2, input, 512));

    vst2.call(effMainsChanged, 0, 0);
    vst2.call(effSetSampleRate, 0, 0, nullptr, 88200.0f);
    vst2.call(effMainsChanged, 0, 1);
    vst3->stop();
    vst3->start(88200.0);
    expectSameBits(renderVst3(*vst3, input, 700), renderVst2(vst2, input, 700));
}
