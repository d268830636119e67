// Delay values above 1, at rates where even 1 would reach past the 192000-sample lines: the
// delay length is limited to the lines, every index stays inside them, and the longest echo
// comes back exactly one line length later.
#include <cmath>
#include <limits>
#include <sstream>

#include "HostileHostCase.h"

namespace {
using DelayBeyondTheLines = HostileHostCase;

struct RateAndDelay {
    float rate;
    float delay;
};

class LongDelay : public HostileHostCase, public ::testing::WithParamInterface<RateAndDelay> {};

std::vector<RateAndDelay> highRatesAndLongDelays() {
    std::vector<RateAndDelay> cases;
    for (float rate : {96000.0f, 192000.0f, 192001.0f, 192002.0f, 384000.0f, 1e9f}) {
        for (float delay : {1.0f, 1.5f, 100.0f, std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::infinity()}) {
            cases.push_back({rate, delay});
        }
    }
    return cases;
}
}  // namespace

TEST_P(LongDelay, StaysInsideTheLines) {
    effect.call(effSetSampleRate, 0, 0, nullptr, GetParam().rate);
    effect.call(effSetProgram, 0, 21);
    run(noise(256, 1));  // the rate is taken up here
    effect.set(kDelay, GetParam().delay);
    EXPECT_LE(displayedDelaySamples(), 192000);
    // More than one line length, so every slot is read and written at least once.
    StereoBuffer out = run(noise(200000, 2), 8192);
    EXPECT_EQ(unusableSamples(out), 0u);
    expectEchoComesBack();
}

INSTANTIATE_TEST_SUITE_P(HighRates, LongDelay, ::testing::ValuesIn(highRatesAndLongDelays()),
                         [](const ::testing::TestParamInfo<RateAndDelay>& testCase) {
                             std::ostringstream name;
                             name << "Rate" << static_cast<long long>(testCase.param.rate)
                                  << "Delay" << testCase.index % 5;
                             return name.str();
                         });

TEST_F(DelayBeyondTheLines, LongestEchoComesBackOneLineLengthLater) {
    effect.call(effSetSampleRate, 0, 0, nullptr, 384000.0f);
    effect.call(effSetProgram, 0, 0);
    run(noise(256, 1));
    effect.set(kDelay, 1.0f);
    effect.set(kFeedBack, 0.0f);
    effect.set(kLowPass, 0.0f);
    effect.set(kHighPass, 0.0f);
    StereoBuffer out = run(impulse(200000, 0, 1.0f, 0.0f), 4096);
    EXPECT_EQ(out.right[192000], 1.0f);
    EXPECT_EQ(out.right[191999], 0.0f);
}

TEST_F(DelayBeyondTheLines, NegativeAndNonFiniteDelaysActLikeNoDelay) {
    for (float delay : {-0.5f, -1e30f, -std::numeric_limits<float>::infinity(),
                        std::numeric_limits<float>::quiet_NaN()}) {
        effect.set(kDelay, delay);
        EXPECT_LE(displayedDelaySamples(), 0) << delay;
        StereoBuffer out = run(noise(10000, 3));
        EXPECT_EQ(unusableSamples(out), 0u) << delay;
    }
    expectEchoComesBack();
}
