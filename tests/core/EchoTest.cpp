#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "CoreUnderTest.h"
#include "LaneWidths.h"
#include "PlainEcho.h"
#include "ReferenceDelay.h"

namespace {
// A plain echo: no filters, no feedback, no modulation, full mix.
void makePlain(CoreUnderTest& effect) {
    for (const auto& [index, value] : kPlainEcho) effect.setParameter(index, value);
}

// The first `frames` frames, or all of them.
void expectSame(const StereoBuffer& actual, const StereoBuffer& expected, const char* what,
                std::size_t frames = SIZE_MAX) {
    ASSERT_EQ(actual.frames(), expected.frames());
    for (std::size_t i = 0; i < std::min(frames, actual.frames()); ++i) {
        ASSERT_EQ(actual.left[i], expected.left[i]) << what << ", left, frame " << i;
        ASSERT_EQ(actual.right[i], expected.right[i]) << what << ", right, frame " << i;
    }
}

}  // namespace

TEST(Echo, EchoOfTheLeftInputLeavesOnTheRight) {
    CoreUnderTest effect;
    makePlain(effect);
    const int delay = effect.delayCore().delayLength()->samples;
    StereoBuffer out = effect.run(impulse(8000, 0, 1.0f, 0.0f));
    EXPECT_EQ(out.left[0], 1.0f);
    EXPECT_EQ(out.right[delay], 1.0f);
    for (std::size_t i = 1; i < out.frames(); ++i) {
        EXPECT_EQ(out.left[i], 0.0f) << i;
        if (i != static_cast<std::size_t>(delay)) {
            EXPECT_EQ(out.right[i], 0.0f) << i;
        }
    }
}

TEST(Echo, FeedbackRepeatsTheEchoOnTheSameSide) {
    CoreUnderTest effect;
    makePlain(effect);
    effect.setParameter(kFeedBack, 0.5f);
    const int delay = effect.delayCore().delayLength()->samples;
    StereoBuffer out = effect.run(impulse(4 * delay, 0, 0.0f, 1.0f));
    EXPECT_EQ(out.left[delay], 1.0f);
    EXPECT_EQ(out.left[2 * delay], 0.5f);
    EXPECT_EQ(out.left[3 * delay], 0.25f);
}

TEST(Echo, MixZeroGivesTheDryInputExactly) {
    CoreUnderTest effect;
    effect.setProgram(21);  // both filters in the loop, modulation, feedback
    effect.setParameter(kMix, 0.0f);
    StereoBuffer in = noise(30000, 7);
    StereoBuffer out = effect.run(in);
    expectSame(out, in, "mix 0");
}

TEST(Echo, BalanceRemovesOneEcho) {
    for (float pan : {0.0f, 1.0f}) {
        CoreUnderTest effect;
        makePlain(effect);
        effect.setParameter(kPan, pan);
        const int delay = effect.delayCore().delayLength()->samples;
        StereoBuffer out = effect.run(impulse(8000, 0, 1.0f, 1.0f));
        // pan 0 keeps only the echo on the left output, pan 1 only the one on the right.
        EXPECT_EQ(out.left[delay], pan == 0.0f ? 1.0f : 0.0f) << pan;
        EXPECT_EQ(out.right[delay], pan == 0.0f ? 0.0f : 1.0f) << pan;
    }
}

TEST(Echo, ZeroDelayEchoesOneSampleLate) {
    CoreUnderTest effect;
    makePlain(effect);
    effect.setParameter(kDelay, 0.0f);
    StereoBuffer out = effect.run(impulse(16, 3, 1.0f, 0.0f));
    EXPECT_EQ(out.right[4], 1.0f);
    EXPECT_EQ(out.right[3], 0.0f);
    EXPECT_EQ(out.right[5], 0.0f);
}

TEST(Echo, ModulationAttenuatesTheEchoByTheHalfSine) {
    CoreUnderTest effect;
    makePlain(effect);
    effect.setParameter(kPanWidth, 1.0f);
    effect.setParameter(kDelay, 1.0f);  // 44099 samples
    const int delay = effect.delayCore().delayLength()->samples;
    // A constant input shows the attenuation curve on the right output during the second pass.
    StereoBuffer in(3 * delay);
    std::fill(in.left.begin(), in.left.end(), 1.0f);
    StereoBuffer out = effect.run(in);
    // The first wrap flips the phase: during the second pass the left echo is the attenuated
    // one, during the third the right one, most deeply in the middle of the delay length.
    EXPECT_EQ(out.right[delay + delay / 2], 1.0f);
    EXPECT_LT(out.right[2 * delay + delay / 2], 1e-4f);
    EXPECT_GT(out.right[2 * delay + delay / 8], 0.1f);
    EXPECT_EQ(out.right[2 * delay], 1.0f);
}

// The effect keeps its settings in atomics, carries line clears out on the audio thread, flushes
// subnormals, guards its values and runs its filters two or four lanes wide; none of that may
// change a single sample of normal audio. At 22050, 24000 and 32000 Hz the high-pass's 18500 Hz
// split lies above half the rate and still keeps its own coefficient, which must hold to the last
// bit.
class EchoOnEachLaneWidth : public OnEachLaneWidth {};
ZV_ON_EACH_LANE_WIDTH(EchoOnEachLaneWidth);

TEST_P(EchoOnEachLaneWidth, EveryProgramMatchesThePlainAlgorithmSampleForSample) {
    StereoBuffer in = noise(3 * 44100, 11);
    for (float rate : {44100.0f, 22050.0f, 24000.0f, 32000.0f}) {
        for (int program = 0; program < kNumPrograms; ++program) {
            CoreUnderTest effect;
            ASSERT_EQ(SignalPath::chosenLanes(), GetParam());
            ReferenceDelay reference;
            effect.setProgram(program);
            reference.setProgram(program);
            effect.setSampleRate(rate);
            reference.setSampleRate(rate);
            const StereoBuffer expected = reference.run(in, 300);
            const std::string what = std::string(kFactoryPrograms[program].name) + " at " +
                                     std::to_string(static_cast<int>(rate));
            // At the lower rates the 6000 Hz split's stages gain so much near half the rate
            // that a high-pass in the loop makes the echo grow on every pass, until the guards
            // hold it; the comparison ends there, but not before several passes.
            const std::size_t compared = std::min(in.frames(), reference.firstGuardedFrame);
            EXPECT_GE(compared, 3u * static_cast<unsigned>(reference.delaySamples)) << what;
            expectSame(effect.run(in, 300), expected, what.c_str(), compared);
        }
    }
}

// What a host does over a session, in a fixed but arbitrary order: parameters, program changes
// and rate changes between blocks of any length, with input and output in the same arrays.
TEST_P(EchoOnEachLaneWidth, MatchesThePlainAlgorithmUnderAutomationAndRateChangesInPlace) {
    std::mt19937 random(20240610u);
    const auto pick = [&random](unsigned count) { return static_cast<unsigned>(random() % count); };
    const auto uniform = [&random] {
        return static_cast<float>(static_cast<std::uint32_t>(random()) >> 8) / float(1 << 24);
    };
    const float rates[] = {22050.0f, 24000.0f, 32000.0f, 44100.0f, 48000.0f};
    CoreUnderTest effect;
    ReferenceDelay reference;
    float rate = 44100.0f;
    const auto changeRate = [&](float to) {
        rate = to;
        effect.setSampleRate(rate);
        reference.setSampleRate(rate);
    };
    StereoBuffer ours = noise(400000, 13);
    StereoBuffer theirs = ours;
    std::size_t start = 0, runaways = 0;
    for (int block = 0; start < ours.frames(); ++block) {
        const unsigned changes = pick(4);
        for (unsigned change = 0; change < changes; ++change) {
            const unsigned what = pick(12);
            if (what < 9) {
                // Short delays, so the echo comes back within a few blocks.
                float value = uniform();
                if (what == static_cast<unsigned>(kDelay)) value *= 0.05f;
                effect.setParameter(static_cast<int>(what), value);
                reference.setParameter(static_cast<int>(what), value);
            } else if (what < 11) {
                const int program = static_cast<int>(pick(kNumPrograms));
                effect.setProgram(program);
                reference.setProgram(program);
            } else {
                changeRate(rates[pick(5)]);
            }
        }
        const std::size_t length = std::min<std::size_t>(1 + pick(700), ours.frames() - start);
        float* channels[2] = {&ours.left[start], &ours.right[start]};
        effect.process(channels, channels, static_cast<int>(length));
        reference.process(&theirs.left[start], &theirs.right[start], &theirs.left[start],
                          &theirs.right[start], static_cast<int>(length));
        ASSERT_EQ(effect.delayCore().delayLength()->samples, reference.delaySamples)
            << "block " << block;
        const std::size_t compared = std::min(length, reference.firstGuardedFrame - start);
        for (std::size_t i = start; i < start + compared; ++i) {
            ASSERT_EQ(ours.left[i], theirs.left[i]) << "block " << block << ", left, frame " << i;
            ASSERT_EQ(ours.right[i], theirs.right[i])
                << "block " << block << ", right, frame " << i;
        }
        if (compared < length) {
            // The echo ran away and the guards held it, so the two part ways. A rate change
            // rebuilds filters and lines from nothing in both, and they start again together.
            ++runaways;
            changeRate(rate == 44100.0f ? 48000.0f : 44100.0f);
            reference.firstGuardedFrame = SIZE_MAX;
        }
        start += length;
    }
    EXPECT_LT(runaways, 40u) << "too little of the session was compared";
}

TEST(Echo, RateChangeClearsTheLinesAndRestartsTheWritePosition) {
    CoreUnderTest effect;
    effect.run(noise(5000, 2));
    effect.setSampleRate(48000.0f);
    StereoBuffer out = effect.runSilence(10000);
    // Only the filters' own tiny offset is left, far below anything audible.
    for (std::size_t i = 0; i < out.frames(); ++i) ASSERT_LT(std::fabs(out.left[i]), 1e-6f) << i;
    EXPECT_EQ(effect.delayCore().delayLength()->samples, 3838);
}

TEST(Echo, ZeroFramesStillTakesUpANewRate) {
    CoreUnderTest effect;
    effect.run(noise(100, 2));
    effect.setSampleRate(48000.0f);
    effect.process(nullptr, nullptr, 0);
    EXPECT_EQ(effect.delayCore().delayLength()->samples, 3838);
    // The lines were cleared then: nothing of the noise comes back.
    const StereoBuffer out = effect.runSilence(10000);
    for (std::size_t i = 0; i < out.frames(); ++i) ASSERT_LT(std::fabs(out.left[i]), 1e-6f) << i;
}

TEST(Echo, FractionalRateDoesNotSilenceTheEchoAtEveryBlock) {
    CoreUnderTest effect;
    makePlain(effect);
    effect.setSampleRate(44100.5f);
    effect.runSilence(64);  // takes up the new rate once
    const int delay = effect.delayCore().delayLength()->samples;
    StereoBuffer out = effect.run(impulse(8000, 0, 1.0f, 0.0f), 64);
    EXPECT_EQ(out.right[delay], 1.0f);
}
