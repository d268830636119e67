// A fresh instance of the built plug-in for every case, started the way hosts start it, and the
// check every case ends with: after the bad call the instance still echoes as it should.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "AudioChecks.h"
#include "HostCallback.h"
#include "HostedEffect.h"
#include "ParameterTable.h"
#include "PlainEcho.h"
#include "PluginLibrary.h"
#include "StereoBuffer.h"

class HostileHostCase : public ::testing::Test {
protected:
    static constexpr float kSlapBackDelayValue = 0.079977326f;  // program 0's Delay
    static constexpr int kSlapBackDelay = 3526;                 // the same at 44100 Hz

    static void SetUpTestSuite() { library = std::make_unique<PluginLibrary>(ZV_PLUGIN_PATH); }
    static void TearDownTestSuite() { library.reset(); }

    void SetUp() override {
        effect = HostedEffect(library->instantiate(quietHost));
        ASSERT_TRUE(effect);
        effect.start();
    }

    StereoBuffer run(StereoBuffer input, int framesPerBlock = 512) {
        return runThrough(effect, std::move(input), framesPerBlock);
    }

    // Runs the input through an instance in blocks of the given size.
    static StereoBuffer runThrough(const HostedEffect& instance, StereoBuffer input,
                                   int framesPerBlock) {
        return inBlocks(std::move(input), framesPerBlock,
                        [&instance](float** in, float** out, int frames) {
                            instance.process(in, out, frames);
                        });
    }

    static std::size_t unusableSamples(const StereoBuffer& buffer) {
        return countUnusableSamples(buffer.left.data(), buffer.frames()) +
               countUnusableSamples(buffer.right.data(), buffer.frames());
    }

    // The delay length the effect shows for its Delay parameter.
    long displayedDelaySamples() {
        return std::strtol(effect.text(effGetParamDisplay, kDelay).c_str(), nullptr, 10);
    }

    // Back to a normal rate and a plain echo: the left input must come back on the right one
    // program-0 delay later, the right input on the left, the dry signal unchanged.
    void expectEchoComesBack() {
        effect.call(effSetSampleRate, 0, 0, nullptr, 44100.0f);
        effect.call(effSetProgram, 0, 0);
        effect.set(kDelay, kSlapBackDelayValue);  // the program may have been changed
        for (const auto& [index, value] : kPlainEcho) effect.set(index, value);
        StereoBuffer out = run(impulse(2 * kSlapBackDelay, 0, 1.0f, 0.5f));
        EXPECT_EQ(unusableSamples(out), 0u);
        EXPECT_EQ(out.left[0], 1.0f);
        EXPECT_EQ(out.right[0], 0.5f);
        EXPECT_EQ(out.right[kSlapBackDelay], 1.0f);
        EXPECT_EQ(out.left[kSlapBackDelay], 0.5f);
        EXPECT_EQ(out.right[kSlapBackDelay - 1], 0.0f);
    }

    static inline std::unique_ptr<PluginLibrary> library;
    HostedEffect effect;
};
