#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "CoreUnderTest.h"

TEST(Parameters, StartFromTheFirstProgram) {
    CoreUnderTest effect;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(effect.getParameter(kDelay)), 0x3DA3CB27u);
    EXPECT_EQ(effect.parameters(),
              (std::vector<float>{std::bit_cast<float>(0x3DA3CB27u), 0.215f, 0.374f, 0.655999f,
                                  1.0f, 0.0f, 0.5f, 0.0f, 1.0f}));
    EXPECT_EQ(effect.delayCore().delayLength()->samples, 3526);
}

TEST(Parameters, DelayLengthIsComputedInSinglePrecision) {
    CoreUnderTest effect;
    effect.setSampleRate(48000.0f);
    effect.setParameter(kDelay, effect.getParameter(kDelay));
    EXPECT_EQ(effect.delayCore().delayLength()->samples, 3838);
    effect.setSampleRate(44100.0f);
    effect.setParameter(kDelay, 1.0f);
    EXPECT_EQ(effect.delayCore().delayLength()->samples, 44099);
    // Computed in double, (rate − 1) × value would come out one sample longer for these.
    int differing = 0;
    for (int step = 0; step <= 44099; ++step) {
        const float value = static_cast<float>(step) / 44099.0f;
        effect.setParameter(kDelay, value);
        const int inDouble = static_cast<int>((44100.0f + (-1.0)) * value);
        differing += inDouble != effect.delayCore().delayLength()->samples;
        EXPECT_EQ(effect.delayCore().delayLength()->samples,
                  static_cast<int>((44100.0f + -1.0f) * value));
    }
    EXPECT_GT(differing, 0);
}

TEST(Parameters, ReadBackExactlyAsSentAndUnclamped) {
    CoreUnderTest effect;
    for (int index : {kDelay, kFeedBack, kLowPass, kHighPass, kPan, kPanWidth, kMix}) {
        for (float value : {0.0f, 0.1f, 0.7f, 1.0f, 1.5f, -0.25f}) {
            effect.setParameter(index, value);
            EXPECT_EQ(effect.getParameter(index), value) << index;
        }
    }
}

TEST(Parameters, SwitchesAreOnForAnyValueButZero) {
    CoreUnderTest effect;
    effect.setParameter(kLowPassInLoop, 0.3f);
    EXPECT_EQ(effect.getParameter(kLowPassInLoop), 1.0f);
    effect.setParameter(kHighPassInLoop, -0.0f);
    EXPECT_EQ(effect.getParameter(kHighPassInLoop), 0.0f);
}

TEST(Parameters, IndexesOutsideTheTableChangeNothingAndReadZero) {
    CoreUnderTest effect;
    for (int index : {9, -1, 1000, INT32_MIN}) {
        effect.setParameter(index, 0.9f);
        EXPECT_EQ(effect.getParameter(index), 0.0f);
    }
    EXPECT_EQ(effect.getParameter(kFeedBack), 0.215f);
}

TEST(Parameters, DelayChangeRestartsTheLineEvenForTheSameValue) {
    CoreUnderTest effect;
    effect.run(noise(1000, 1));
    effect.setParameter(kDelay, effect.getParameter(kDelay));
    // The echo of what came before is gone: silence in gives silence out.
    StereoBuffer out = effect.runSilence(8000);
    for (std::size_t i = 0; i < out.frames(); ++i) {
        ASSERT_LT(std::fabs(out.left[i]), 1e-6f);  // the filters' own offset, nothing of before
        ASSERT_LT(std::fabs(out.right[i]), 1e-6f);
    }
}

TEST(Parameters, EveryChangeWaitsForTheEditorWhicheverThreadMadeIt) {
    CoreUnderTest effect;
    ParameterMailbox& toEditor = effect.delayCore().editorMailbox();
    toEditor.discard();
    effect.setParameter(kMix, 0.25f);
    effect.setParameter(9, 0.5f);  // stores nothing, and nothing for the editor
    std::thread([&] { effect.setParameter(kPan, 0.75f); }).join();
    std::vector<std::pair<int, float>> delivered;
    toEditor.deliver([&](int index, float value) { delivered.emplace_back(index, value); });
    EXPECT_EQ(delivered, (std::vector<std::pair<int, float>>{{kPan, 0.75f}, {kMix, 0.25f}}));
}
