// Fifty instances alive at once, each with its own program, settings and material, run block by
// block in turn as a host with fifty tracks does. Each must sound exactly like an instance that
// was alone in the process with the same input and settings: no state is shared between them.
#include <gtest/gtest.h>

#include <vector>

#include "AudioChecks.h"
#include "HostCallback.h"
#include "HostedEffect.h"
#include "ParameterTable.h"
#include "PluginLibrary.h"
#include "StereoBuffer.h"

namespace {
constexpr int kInstances = 50;
constexpr std::size_t kFrames = 2 * 44100;

// The settings of track i: its program, then a few of its own changes.
void configureTrack(const HostedEffect& effect, int i) {
    effect.start(i % 2 == 0 ? 44100.0f : 48000.0f, 1024);
    effect.call(effSetProgram, 0, i % 26);
    effect.set(kDelay, 0.01f + 0.004f * static_cast<float>(i));
    effect.set(kFeedBack, 0.3f + 0.01f * static_cast<float>(i));
    effect.set(kPanWidth, static_cast<float>(i % 5) / 4.0f);
    if (i % 3 == 0) effect.set(kLowPassInLoop, 0.0f);
}

// Each track's host block size differs, so the tracks' block boundaries never line up.
std::size_t blockOfTrack(int i) { return 64 + 37 * static_cast<std::size_t>(i); }

void runBlock(const HostedEffect& effect, StereoBuffer& in, StereoBuffer& out, std::size_t start,
              std::size_t length) {
    float* inputs[2] = {in.left.data() + start, in.right.data() + start};
    float* outputs[2] = {out.left.data() + start, out.right.data() + start};
    effect.process(inputs, outputs, static_cast<VstInt32>(length));
}

StereoBuffer materialOfTrack(int i) {
    // Some tracks get sparse impulses, the rest noise at different levels.
    if (i % 4 == 0) {
        StereoBuffer clicks(kFrames);
        for (std::size_t at = 100; at < kFrames; at += 10007)
            clicks.left[at] = clicks.right[at + 3] = 0.9f;
        return clicks;
    }
    StereoBuffer material = noise(kFrames, static_cast<unsigned>(100 + i));
    const float level = 0.1f + 0.02f * static_cast<float>(i);
    for (std::size_t f = 0; f < kFrames; ++f) {
        material.left[f] *= level;
        material.right[f] *= level;
    }
    return material;
}
}  // namespace

TEST(ManyInstances, FiftyAtOnceEachSoundLikeOneAlone) {
    PluginLibrary library(ZV_PLUGIN_PATH);
    std::vector<HostedEffect> tracks;
    std::vector<StereoBuffer> inputs, outputs;
    std::vector<std::size_t> done(kInstances, 0);
    for (int i = 0; i < kInstances; ++i) {
        tracks.emplace_back(library.instantiate(quietHost));
        ASSERT_TRUE(tracks.back());
        configureTrack(tracks.back(), i);
        inputs.push_back(materialOfTrack(i));
        outputs.emplace_back(kFrames);
    }
    // Round robin, one block per track per turn, until every track has had all its frames.
    for (bool more = true; more;) {
        more = false;
        for (int i = 0; i < kInstances; ++i) {
            const std::size_t length = std::min(blockOfTrack(i), kFrames - done[i]);
            if (length == 0) continue;
            runBlock(tracks[i], inputs[i], outputs[i], done[i], length);
            done[i] += length;
            more = true;
        }
    }
    tracks.clear();

    for (int i = 0; i < kInstances; ++i) {
        HostedEffect alone(library.instantiate(quietHost));
        configureTrack(alone, i);
        StereoBuffer in = materialOfTrack(i);
        StereoBuffer out(kFrames);
        for (std::size_t start = 0; start < kFrames; start += blockOfTrack(i)) {
            runBlock(alone, in, out, start, std::min(blockOfTrack(i), kFrames - start));
        }
        EXPECT_EQ(countUnusableSamples(outputs[i].left.data(), kFrames), 0u) << "track " << i;
        EXPECT_TRUE(out.left == outputs[i].left && out.right == outputs[i].right)
            << "track " << i << " differs from the same track alone";
    }
}
