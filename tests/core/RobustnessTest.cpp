// Whatever a host sends, the effect keeps its indexes inside its lines, its output finite, and
// comes back to normal sound once the input and settings are normal again.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <xmmintrin.h>

#include "CoreUnderTest.h"

namespace {
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

bool allFiniteAndNormal(const StereoBuffer& buffer) {
    for (std::size_t i = 0; i < buffer.frames(); ++i) {
        for (float x : {buffer.left[i], buffer.right[i]}) {
            if (!std::isfinite(x) || (x != 0.0f && std::fpclassify(x) == FP_SUBNORMAL))
                return false;
        }
    }
    return true;
}

float peak(const StereoBuffer& buffer) {
    float largest = 0.0f;
    for (std::size_t i = 0; i < buffer.frames(); ++i) {
        largest = std::max({largest, std::fabs(buffer.left[i]), std::fabs(buffer.right[i])});
    }
    return largest;
}

// After the fault is gone: an impulse must echo again, at its usual delay.
void expectEchoComesBack(CoreUnderTest& effect) {
    effect.setProgram(0);
    effect.setParameter(kFeedBack, 0.0f);
    effect.setParameter(kLowPass, 0.0f);
    effect.setParameter(kHighPass, 0.0f);
    const int delay = effect.delayCore().delayLength()->samples;
    StereoBuffer out = effect.run(impulse(2 * delay, 0, 1.0f, 0.0f));
    EXPECT_TRUE(allFiniteAndNormal(out));
    EXPECT_EQ(out.right[delay], 1.0f);
}
}  // namespace

TEST(Robustness, NonFiniteSettingsDoNotPoisonTheLoopForEver) {
    for (int index : {kDelay, kFeedBack, kLowPass, kHighPass, kPan, kPanWidth, kMix}) {
        for (float bad : {kNaN, kInf, -kInf}) {
            CoreUnderTest effect;
            effect.setProgram(21);
            effect.setParameter(index, bad);
            StereoBuffer out = effect.run(noise(20000, 1));
            EXPECT_TRUE(allFiniteAndNormal(out)) << "parameter " << index << " = " << bad;
            expectEchoComesBack(effect);
        }
    }
}

TEST(Robustness, NonFiniteInputSamplesDoNotPoisonTheLoopForEver) {
    CoreUnderTest effect;
    effect.setProgram(21);
    StereoBuffer in = noise(20000, 4);
    in.left[100] = kNaN;
    in.right[200] = kInf;
    in.left[300] = -kInf;
    StereoBuffer out = effect.run(in);
    EXPECT_TRUE(allFiniteAndNormal(out));
    expectEchoComesBack(effect);
}

TEST(Robustness, RunawayFeedbackStaysFinite) {
    CoreUnderTest effect;
    effect.setProgram(21);
    effect.setParameter(kFeedBack, 1.0f);
    effect.setParameter(kLowPass, 1.0f);  // a full low-pass in the loop rings above unity gain
    effect.setParameter(kHighPass, 1.0f);
    effect.setParameter(kHighPassInLoop, 1.0f);
    StereoBuffer burst = noise(4000, 8);
    StereoBuffer out = effect.run(burst);
    for (int i = 0; i < 40; ++i) out = effect.runSilence(44100);
    EXPECT_TRUE(allFiniteAndNormal(out));
    EXPECT_LE(peak(out), 20000.0f);
}

TEST(Robustness, LongSilenceAfterABurstGivesNoSubnormals) {
    CoreUnderTest effect;
    effect.setProgram(0);
    effect.setParameter(kFeedBack, 0.99f);
    effect.setParameter(kLowPass, 0.0f);
    effect.setParameter(kHighPass, 0.0f);
    effect.run(noise(4000, 6));
    for (int second = 0; second < 120; ++second) {
        ASSERT_TRUE(allFiniteAndNormal(effect.runSilence(44100))) << "second " << second;
    }
}

TEST(Robustness, DelayValuesBeyondOneAndHugeRatesStayInsideTheLines) {
    CoreUnderTest effect;
    for (float rate : {44100.0f, 192000.0f, 192002.0f, 384000.0f, 1e9f, kInf}) {
        effect.setSampleRate(rate);
        for (float delay : {1.0f, 1.5f, 100.0f, kInf, -0.5f, kNaN}) {
            effect.setParameter(kDelay, delay);
            EXPECT_LE(effect.delayShownInSamples(), 192000) << rate << " " << delay;
            StereoBuffer out = effect.run(noise(5000, 3), 1024);
            EXPECT_TRUE(allFiniteAndNormal(out)) << rate << " " << delay;
        }
    }
}

TEST(Robustness, RatesThatAreNotRatesGiveFiniteOutput) {
    for (float rate : {0.0f, -1.0f, kNaN, -kInf, 1.0f, 11025.0f, 16000.0f}) {
        CoreUnderTest effect;
        effect.setProgram(23);  // both filters in the loop
        effect.setSampleRate(rate);
        StereoBuffer out = effect.run(noise(50000, 2));
        EXPECT_TRUE(allFiniteAndNormal(out)) << "rate " << rate;
        EXPECT_LT(peak(out), 10001.0f) << "rate " << rate;
    }
}

TEST(Robustness, MissingBuffersAreNeverTouched) {
    CoreUnderTest effect;
    std::vector<float> out(64, 7.0f);
    float* outputs[2] = {out.data(), nullptr};
    float* inputs[2] = {nullptr, nullptr};
    effect.process(inputs, outputs, 64);
    EXPECT_EQ(out[0], 0.0f);  // no input: silence rather than stale samples
    effect.process(nullptr, nullptr, 64);
    effect.process(nullptr, outputs, 64);
    effect.process(inputs, outputs, -5);
    effect.process(inputs, outputs, INT32_MIN);
}

TEST(Robustness, TheHostsFloatingPointModeIsRestored) {
    constexpr unsigned kControlBits = ~0x3Fu;  // the low six bits are sticky exception flags
    const unsigned before = _mm_getcsr();
    CoreUnderTest effect;
    effect.run(noise(1000, 1));
    EXPECT_EQ(_mm_getcsr() & kControlBits, before & kControlBits);
    _mm_setcsr(before | 0x8040);
    effect.run(noise(1000, 1));
    EXPECT_EQ(_mm_getcsr() & kControlBits, (before | 0x8040) & kControlBits);
    _mm_setcsr(before);
}
