#include <gtest/gtest.h>

#include <cmath>

#include "EffectUnderTest.h"
#include "ReferenceDelay.h"

namespace {
// A plain echo: no filters, no feedback, no modulation, full mix.
void makePlain(VstXSynth& effect) {
    effect.setParameter(kLowPass, 0.0f);
    effect.setParameter(kHighPass, 0.0f);
    effect.setParameter(kFeedBack, 0.0f);
    effect.setParameter(kPanDepth, 0.0f);
    effect.setParameter(kPan, 0.5f);
    effect.setParameter(kMix, 1.0f);
}

void expectSame(const StereoBuffer& actual, const StereoBuffer& expected, const char* what) {
    ASSERT_EQ(actual.frames(), expected.frames());
    for (std::size_t i = 0; i < actual.frames(); ++i) {
        ASSERT_EQ(actual.left[i], expected.left[i]) << what << ", left, frame " << i;
        ASSERT_EQ(actual.right[i], expected.right[i]) << what << ", right, frame " << i;
    }
}

StereoBuffer runReference(ReferenceDelay& reference, StereoBuffer input, int blockSize = 512) {
    StereoBuffer output(input.frames());
    for (std::size_t start = 0; start < input.frames(); start += blockSize) {
        const int length = static_cast<int>(std::min<std::size_t>(blockSize, input.frames() - start));
        reference.process(&input.left[start], &input.right[start], &output.left[start],
                          &output.right[start], length);
    }
    return output;
}
}  // namespace

TEST(Echo, EchoOfTheLeftInputLeavesOnTheRight) {
    EffectUnderTest effect;
    makePlain(effect);
    const int delay = effect.getDelaySamples();
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
    EffectUnderTest effect;
    makePlain(effect);
    effect.setParameter(kFeedBack, 0.5f);
    const int delay = effect.getDelaySamples();
    StereoBuffer out = effect.run(impulse(4 * delay, 0, 0.0f, 1.0f));
    EXPECT_EQ(out.left[delay], 1.0f);
    EXPECT_EQ(out.left[2 * delay], 0.5f);
    EXPECT_EQ(out.left[3 * delay], 0.25f);
}

TEST(Echo, MixZeroGivesTheDryInputExactly) {
    EffectUnderTest effect;
    effect.setProgram(21);  // both filters in the loop, modulation, feedback
    effect.setParameter(kMix, 0.0f);
    StereoBuffer in = noise(30000, 7);
    StereoBuffer out = effect.run(in);
    expectSame(out, in, "mix 0");
}

TEST(Echo, BalanceRemovesOneEcho) {
    for (float pan : {0.0f, 1.0f}) {
        EffectUnderTest effect;
        makePlain(effect);
        effect.setParameter(kPan, pan);
        const int delay = effect.getDelaySamples();
        StereoBuffer out = effect.run(impulse(8000, 0, 1.0f, 1.0f));
        // pan 0 keeps only the echo on the left output, pan 1 only the one on the right.
        EXPECT_EQ(out.left[delay], pan == 0.0f ? 1.0f : 0.0f) << pan;
        EXPECT_EQ(out.right[delay], pan == 0.0f ? 0.0f : 1.0f) << pan;
    }
}

TEST(Echo, ZeroDelayEchoesOneSampleLate) {
    EffectUnderTest effect;
    makePlain(effect);
    effect.setParameter(kDelay, 0.0f);
    StereoBuffer out = effect.run(impulse(16, 3, 1.0f, 0.0f));
    EXPECT_EQ(out.right[4], 1.0f);
    EXPECT_EQ(out.right[3], 0.0f);
    EXPECT_EQ(out.right[5], 0.0f);
}

TEST(Echo, ModulationAttenuatesTheEchoByTheHalfSine) {
    EffectUnderTest effect;
    makePlain(effect);
    effect.setParameter(kPanDepth, 1.0f);
    effect.setParameter(kDelay, 1.0f);  // 44099 samples
    const int delay = effect.getDelaySamples();
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
// subnormals and guards its values; none of that may change a single sample of normal audio.
TEST(Echo, EveryProgramMatchesThePlainAlgorithmSampleForSample) {
    StereoBuffer in = noise(3 * 44100, 11);
    for (int program = 0; program < kNumPrograms; ++program) {
        EffectUnderTest effect;
        effect.setProgram(program);
        ReferenceDelay reference;
        reference.applyProgram(kFactoryPrograms[program]);
        expectSame(effect.run(in, 300), runReference(reference, in, 300),
                   kFactoryPrograms[program].name);
    }
}

TEST(Echo, MatchesThePlainAlgorithmAcrossRateAndDelayChanges) {
    EffectUnderTest effect;
    ReferenceDelay reference;
    effect.setProgram(14);
    reference.applyProgram(kFactoryPrograms[14]);
    StereoBuffer in = noise(20000, 5);
    expectSame(effect.run(in), runReference(reference, in), "before");
    effect.setSampleRate(48000.0f);
    reference.setSampleRate(48000.0f);
    expectSame(effect.run(in), runReference(reference, in), "after the rate change");
    EXPECT_EQ(effect.getDelaySamples(), reference.delaySamples);
    effect.setParameter(kDelay, 0.05f);
    reference.setParameter(kDelay, 0.05f);
    expectSame(effect.run(in, 64), runReference(reference, in, 64), "after the delay change");
}

TEST(Echo, RateChangeClearsTheLinesAndRestartsTheWritePosition) {
    EffectUnderTest effect;
    effect.run(noise(5000, 2));
    effect.setSampleRate(48000.0f);
    StereoBuffer out = effect.runSilence(10000);
    // Only the filters' own tiny offset is left, far below anything audible.
    for (std::size_t i = 0; i < out.frames(); ++i) ASSERT_LT(std::fabs(out.left[i]), 1e-6f) << i;
    EXPECT_EQ(effect.getDelaySamples(), 3838);
}

TEST(Echo, ZeroFramesStillTakesUpANewRate) {
    EffectUnderTest effect;
    effect.run(noise(100, 2));
    effect.setSampleRate(48000.0f);
    effect.processReplacing(nullptr, nullptr, 0);
    EXPECT_EQ(effect.getDelaySamples(), 3838);
    EXPECT_EQ(effect.getSignalPath().writePosition(), 0);
}

TEST(Echo, FractionalRateDoesNotSilenceTheEchoAtEveryBlock) {
    EffectUnderTest effect;
    makePlain(effect);
    effect.setSampleRate(44100.5f);
    effect.runSilence(64);  // takes up the new rate once
    const int delay = effect.getDelaySamples();
    StereoBuffer out = effect.run(impulse(8000, 0, 1.0f, 0.0f), 64);
    EXPECT_EQ(out.right[delay], 1.0f);
}

TEST(Echo, InPlaceProcessingGivesTheSameResult) {
    EffectUnderTest separate, inPlace;
    separate.setProgram(18);
    inPlace.setProgram(18);
    StereoBuffer in = noise(10000, 9);
    StereoBuffer expected = separate.run(in);
    StereoBuffer buffer = in;
    for (std::size_t start = 0; start < buffer.frames(); start += 512) {
        const auto length = static_cast<VstInt32>(std::min<std::size_t>(512, buffer.frames() - start));
        float* channels[2] = {&buffer.left[start], &buffer.right[start]};
        inPlace.processReplacing(channels, channels, length);
    }
    expectSame(buffer, expected, "in place");
}
