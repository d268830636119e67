// Sample rates that are no rates, or odd ones: the effect keeps its output finite and inside its
// lines at each, and sounds as usual once the rate is normal again.
#include <cmath>
#include <cstring>
#include <limits>

#include "HostileHostCase.h"

namespace {
using SampleRates = HostileHostCase;

struct OddRate {
    float rate;
    const char* name;
};

const OddRate kOddRates[] = {
    {0.0f, "Zero"},
    {-1.0f, "MinusOne"},
    {std::numeric_limits<float>::quiet_NaN(), "NotANumber"},
    {1e9f, "OneGigahertz"},
    {44100.5f, "HalfAHertzAbove44100"},
    {std::numeric_limits<float>::infinity(), "Infinity"},
    {-std::numeric_limits<float>::infinity(), "MinusInfinity"},
    {1e-40f, "Subnormal"},
    {std::numeric_limits<float>::max(), "LargestFloat"},
    {1.0f, "OneHertz"},
    {3e9f, "BeyondThirtyTwoBits"},
};

class OddSampleRate : public HostileHostCase, public ::testing::WithParamInterface<OddRate> {};
}  // namespace

TEST_P(OddSampleRate, GivesUsableOutputWithEveryFilterPlacement) {
    effect.call(effSetSampleRate, 0, 0, nullptr, GetParam().rate);
    // 23 has both filters in the loop, 7 and 13 have them outside, 21 feeds back the most.
    for (VstIntPtr program : {23, 7, 13, 21}) {
        effect.call(effSetProgram, 0, program);
        StereoBuffer out = run(noise(30000, static_cast<unsigned>(program)));
        EXPECT_EQ(unusableSamples(out), 0u) << "program " << program;
        EXPECT_LE(displayedDelaySamples(), 192000) << "program " << program;
        EXPECT_GE(displayedDelaySamples(), 0) << "program " << program;
    }
    expectEchoComesBack();
}

TEST_P(OddSampleRate, AnnouncedWhileRunningGivesUsableOutput) {
    effect.call(effSetProgram, 0, 21);
    run(noise(10000, 1));
    effect.call(effSetSampleRate, 0, 0, nullptr, GetParam().rate);
    StereoBuffer out = run(noise(30000, 2));
    EXPECT_EQ(unusableSamples(out), 0u);
    expectEchoComesBack();
}

INSTANTIATE_TEST_SUITE_P(Rates, OddSampleRate, ::testing::ValuesIn(kOddRates),
                         [](const ::testing::TestParamInfo<OddRate>& testCase) {
                             return std::string(testCase.param.name);
                         });

TEST_F(SampleRates, AFractionalRateDoesNotSilenceTheEchoAtEveryBlock) {
    effect.call(effSetSampleRate, 0, 0, nullptr, 44100.5f);
    effect.call(effSetProgram, 0, 0);
    effect.set(kFeedBack, 0.0f);
    effect.set(kLowPass, 0.0f);
    effect.set(kHighPass, 0.0f);
    const long delay = displayedDelaySamples();
    ASSERT_GT(delay, 512);  // the echo has to cross block boundaries
    StereoBuffer out = run(impulse(static_cast<std::size_t>(2 * delay), 0, 1.0f, 0.0f), 256);
    EXPECT_EQ(out.right[static_cast<std::size_t>(delay)], 1.0f);
}

TEST_F(SampleRates, ARateBeyondTheLinesKeepsTheDelayInsideThem) {
    effect.call(effSetSampleRate, 0, 0, nullptr, 1e9f);
    effect.set(kDelay, 1.0f);
    EXPECT_EQ(displayedDelaySamples(), 192000);
}

TEST_F(SampleRates, ARateChangeKeepsEveryValueExactlyAsSent) {
    // The rate is taken up inside the process call, where subnormal numbers are flushed: a value
    // narrowed again there would come back as 0 instead of what the host sent.
    const float sent[kNumParams] = {0.25f,   1e-40f, 1e-40f,
                                    -1e-41f, 1.0f,   0.0f,
                                    -0.0f,   1e-39f, std::numeric_limits<float>::denorm_min()};
    for (VstInt32 i = 0; i < kNumParams; ++i) effect.set(i, sent[i]);
    effect.call(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    run(noise(1024, 3));
    auto expectAsSent = [&](const char* when) {
        for (VstInt32 i = 0; i < kNumParams; ++i) {
            const float back = effect.get(i);
            EXPECT_EQ(std::memcmp(&back, &sent[i], sizeof back), 0)
                << "parameter " << i << " " << when << ": " << back << " for " << sent[i];
        }
    };
    expectAsSent("after the rate change");
    effect.call(effSetProgram, 0, 0);  // the program's memory holds them too
    expectAsSent("from the program");
}

TEST_F(SampleRates, ADelaySetWhileARateWasAnnouncedAndTakenBackFollowsTheRateInForce) {
    // The host announces a new rate, sets the delay, and returns to the old rate before any
    // audio ran at the new one: the delay length must be the one for the rate the audio runs at.
    run(noise(512, 1));
    effect.call(effSetSampleRate, 0, 0, nullptr, 22050.0f);
    effect.set(kDelay, 0.5f);
    effect.call(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect.set(kFeedBack, 0.0f);
    effect.set(kLowPass, 0.0f);
    effect.set(kHighPass, 0.0f);
    StereoBuffer out = run(impulse(30000, 0, 1.0f, 0.0f));
    EXPECT_EQ(displayedDelaySamples(), 22049);
    EXPECT_EQ(out.right[22049], 1.0f);
}
