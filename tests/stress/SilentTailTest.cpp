// Hours of silence after a loud burst, with the echo feeding back hard: the tail must decay
// without a single sample a validating host would reject (NaN, infinity or a subnormal number),
// and an echo must come back as usual afterwards. Silence is fed in large blocks so that hours
// of audio take seconds.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "AudioChecks.h"
#include "DelayEffect.h"
#include "HostCallback.h"
#include "HostedEffect.h"
#include "StereoBuffer.h"

namespace {
constexpr VstInt32 kBigBlock = 65536;

struct Tail {
    const char* name;
    VstInt32 program;  // the filter placement and the rest
    float rate;
    float delay;
    float feedBack;
    float burstLevel;
    double minutes;   // of silence after the burst
    bool filtersOff;  // without filters the tail can fall all the way to zero
};

// An echo of one second at 0.99 feedback takes about 2.4 hours to fall from full scale through
// the whole single-precision range down to zero: the first run covers all of it. With a filter
// in the loop the tail settles on a tiny constant instead, so those runs are shorter.
const Tail kTails[] = {
    {"OneSecondEchoAt099FeedbackForTwoAndAHalfHours", 0, 44100.0f, 1.0f, 0.99f, 1.0f, 150.0, true},
    {"LowAndHighPassInTheLoopForTenMinutes", 23, 44100.0f, 1.0f, 0.99f, 1.0f, 10.0, false},
    {"LowAndHighPassOnTheEchoForTenMinutes", 13, 44100.0f, 1.0f, 0.99f, 1.0f, 10.0, false},
    {"ShortEchoAtFullFeedbackForFiveMinutes", 0, 44100.0f, 0.001f, 1.0f, 1.0f, 5.0, false},
    {"ClippedBurstAt192kHzForFiveMinutes", 21, 192000.0f, 1.0f, 0.999f, 10000.0f, 5.0, false},
};

class SilentTail : public ::testing::TestWithParam<Tail> {};

std::size_t unusable(const std::vector<float>& left, const std::vector<float>& right,
                     std::size_t frames) {
    return countUnusableSamples(left.data(), frames) + countUnusableSamples(right.data(), frames);
}
}  // namespace

TEST_P(SilentTail, DecaysWithoutAnUnusableSampleAndTheEchoComesBack) {
    const Tail& tail = GetParam();
    HostedEffect effect(createEffect(quietHost)->getAeffect());
    effect.start(tail.rate, kBigBlock);
    effect.call(effSetProgram, 0, tail.program);
    effect.set(kDelay, tail.delay);
    effect.set(kFeedBack, tail.feedBack);
    effect.set(kMix, 1.0f);
    if (tail.filtersOff) {
        effect.set(kLowPass, 0.0f);
        effect.set(kHighPass, 0.0f);
    }

    std::vector<float> inL(kBigBlock), inR(kBigBlock), outL(kBigBlock), outR(kBigBlock);
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};

    // The burst: one second of full-scale noise, scaled to the level asked for.
    const auto burstFrames = static_cast<std::size_t>(tail.rate);
    StereoBuffer burst = noise(burstFrames, 5);
    std::size_t bad = 0;
    for (std::size_t start = 0; start < burstFrames; start += kBigBlock) {
        const std::size_t n = std::min<std::size_t>(kBigBlock, burstFrames - start);
        for (std::size_t i = 0; i < n; ++i) {
            inL[i] = burst.left[start + i] * tail.burstLevel;
            inR[i] = burst.right[start + i] * tail.burstLevel;
        }
        effect.process(inputs, outputs, static_cast<VstInt32>(n));
        bad += unusable(outL, outR, n);
    }

    std::fill(inL.begin(), inL.end(), 0.0f);
    std::fill(inR.begin(), inR.end(), 0.0f);
    const auto silentFrames = static_cast<long long>(tail.minutes * 60.0 * tail.rate);
    const auto started = std::chrono::steady_clock::now();
    long long firstUnusable = -1;
    for (long long done = 0; done < silentFrames; done += kBigBlock) {
        effect.process(inputs, outputs, kBigBlock);
        const std::size_t blockBad = unusable(outL, outR, kBigBlock);
        if (blockBad != 0 && firstUnusable < 0) firstUnusable = done;
        bad += blockBad;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%s: %.0f minutes of audio in %.2f s\n", tail.name, tail.minutes, seconds);

    EXPECT_EQ(bad, 0u) << "first unusable sample in the block at frame " << firstUnusable;
    if (tail.filtersOff) {
        EXPECT_EQ(outL, std::vector<float>(kBigBlock, 0.0f));
        EXPECT_EQ(outR, std::vector<float>(kBigBlock, 0.0f));
    }

    // And the effect still echoes: the left input comes back on the right after one delay.
    effect.set(kFeedBack, 0.0f);
    effect.set(kDelay, 0.05f);
    const VstInt32 delay =
        static_cast<DelayEffect*>(effect.record()->object)->delayCore().delayLength()->samples;
    std::fill(inL.begin(), inL.end(), 0.0f);
    inL[0] = 0.5f;
    effect.process(inputs, outputs, kBigBlock);
    EXPECT_NE(outR[static_cast<std::size_t>(delay)], 0.0f);
    EXPECT_EQ(unusable(outL, outR, kBigBlock), 0u);
}

INSTANTIATE_TEST_SUITE_P(AfterALoudBurst, SilentTail, ::testing::ValuesIn(kTails),
                         [](const ::testing::TestParamInfo<Tail>& testCase) {
                             return std::string(testCase.param.name);
                         });

TEST(SubnormalInput, NeverReachesTheOutput) {
    // A host may hand over subnormal samples itself (a fade computed without flushing); what
    // comes back must still be free of them.
    HostedEffect effect(createEffect(quietHost)->getAeffect());
    effect.start();
    effect.call(effSetProgram, 0, 21);
    std::vector<float> inL(8192, 1e-40f), inR(8192, -3e-39f), outL(8192), outR(8192);
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    for (int block = 0; block < 20; ++block) {
        effect.process(inputs, outputs, 8192);
        ASSERT_EQ(unusable(outL, outR, 8192), 0u) << "block " << block;
    }
}
