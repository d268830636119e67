// A delay effect built without a host, with a one-call way of running audio through it.
#pragma once

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

    StereoBuffer run(StereoBuffer input, int framesPerBlock = 512) {
        return inBlocks(
            std::move(input), framesPerBlock,
            [this](float** in, float** out, int frames) { processReplacing(in, out, frames); });
    }

    StereoBuffer runSilence(std::size_t frames, int framesPerBlock = 512) {
        return run(StereoBuffer(frames), framesPerBlock);
    }
};
