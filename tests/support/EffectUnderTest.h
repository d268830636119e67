// A delay effect built without a host, with the inside of its signal path in view, and a
// one-call way of running audio through it.
#pragma once

#include "StereoBuffer.h"
#include "VstXSynth.h"

class EffectUnderTest : public VstXSynth {
public:
    explicit EffectUnderTest(audioMasterCallback host = nullptr, EditorFactory makeEditor = nullptr)
        : VstXSynth(host, makeEditor) {}

    using VstXSynth::getProgramRecord;
    using VstXSynth::getSettings;
    using VstXSynth::getSignalPath;

    StereoBuffer run(StereoBuffer input, int framesPerBlock = 512) {
        StereoBuffer output(input.frames());
        for (std::size_t start = 0; start < input.frames(); start += framesPerBlock) {
            const std::size_t length =
                std::min<std::size_t>(framesPerBlock, input.frames() - start);
            float* in[2] = {input.left.data() + start, input.right.data() + start};
            float* out[2] = {output.left.data() + start, output.right.data() + start};
            processReplacing(in, out, static_cast<VstInt32>(length));
        }
        return output;
    }

    StereoBuffer runSilence(std::size_t frames, int framesPerBlock = 512) {
        return run(StereoBuffer(frames), framesPerBlock);
    }
};
