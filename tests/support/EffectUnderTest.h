// A delay effect built without a host, with a one-call way of running audio through it.
#pragma once

#include <cstdlib>
#include <vector>

#include "DelayEffect.h"
#include "StereoBuffer.h"

class EffectUnderTest : public DelayEffect {
public:
    explicit EffectUnderTest(audioMasterCallback host = nullptr, EditorFactory makeEditor = nullptr)
        : DelayEffect(host, makeEditor) {}

    // Every parameter as the host reads it, in index order.
    std::vector<float> parameters() {
        std::vector<float> all;
        for (VstInt32 index = 0; index < kNumParams; ++index) all.push_back(getParameter(index));
        return all;
    }

    // The delay length in samples, as the host's display shows it (at any rate, a known one or
    // not).
    long delayShownInSamples() {
        char text[kVstMaxParamStrLen + 1] = {};
        getParameterDisplay(kDelay, text);
        return std::strtol(text, nullptr, 10);
    }

    StereoBuffer run(StereoBuffer input, int framesPerBlock = 512) {
        return inBlocks(
            std::move(input), framesPerBlock,
            [this](float** in, float** out, int frames) { processReplacing(in, out, frames); });
    }

    StereoBuffer runSilence(std::size_t frames, int framesPerBlock = 512) {
        return run(StereoBuffer(frames), framesPerBlock);
    }
};
