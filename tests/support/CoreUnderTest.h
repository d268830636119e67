// The effect's core on its own, without any plug-in format, at the rate a VST 2 host starts with:
// the calls the behaviour tests make, each one straight to the core, and a one-call way of
// running audio through it in blocks.
#pragma once

#include <cstdlib>
#include <vector>

#include "DelayCore.h"
#include "StereoBuffer.h"

class CoreUnderTest {
public:
    DelayCore& delayCore() { return core; }

    void setParameter(int index, float value) { core.setParameter(index, value); }
    float getParameter(int index) const { return core.parameter(index); }
    void setSampleRate(float rate) { core.setSampleRate(rate); }
    void setProgram(int program) { core.selectProgram(program); }
    void resume() { core.resume(); }

    // Every parameter as a host reads it, in index order.
    std::vector<float> parameters() const {
        std::vector<float> all;
        for (int index = 0; index < kNumParams; ++index) all.push_back(getParameter(index));
        return all;
    }

    // The delay length in samples, as a host's display shows it (at any rate, a known one or
    // not).
    long delayShownInSamples() const {
        char text[16] = {};
        core.displayText(kDelay, text, 8);
        return std::strtol(text, nullptr, 10);
    }

    // A block as a host hands it over: arrays of two channels, either of which may be missing.
    void process(float** inputs, float** outputs, int frames) {
        const auto channel = [](float** buffers, int index) -> float* {
            return buffers != nullptr ? buffers[index] : nullptr;
        };
        core.process(channel(inputs, 0), channel(inputs, 1), channel(outputs, 0),
                     channel(outputs, 1), frames);
    }

    StereoBuffer run(StereoBuffer input, int framesPerBlock = 512) {
        return inBlocks(std::move(input), framesPerBlock,
                        [this](float** in, float** out, int frames) { process(in, out, frames); });
    }

    StereoBuffer runSilence(std::size_t frames, int framesPerBlock = 512) {
        return run(StereoBuffer(frames), framesPerBlock);
    }

private:
    DelayCore core{44100.0f};
};
