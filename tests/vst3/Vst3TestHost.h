// The VST 3 bundle and the VST 2 plug-in side by side, each loaded as a host loads it, and a
// schedule of parameter changes played into both: the VST 2 plug-in hears each change between
// two process calls split at its frame, the VST 3 one as a point in the block's queue.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "HostCallback.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"
#include "StereoBuffer.h"
#include "Vst3Instance.h"
#include "Vst3Module.h"

struct ScheduledChange {
    std::int32_t frame;  // from the start of the render
    vst3::ParamID id;
    double value;  // as the VST 3 host queues it
};

class Vst3AndVst2 : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        vst3Module = std::make_unique<Vst3Module>(ZV_VST3_BUNDLE);
        vst2Library = std::make_unique<PluginLibrary>(ZV_VST2_PATH);
    }
    static void TearDownTestSuite() {
        vst3Module.reset();
        vst2Library.reset();
    }

    static std::unique_ptr<Vst3Instance> newVst3() {
        return std::make_unique<Vst3Instance>(*vst3Module);
    }
    static HostedEffect newVst2() {
        return HostedEffect(vst2Library->instantiateChecked(hostCallback));
    }

    // `input` through the VST 3 instance in blocks of `block`, with `changes` queued.
    static StereoBuffer renderVst3(Vst3Instance& instance, StereoBuffer input, int block,
                                   const std::vector<ScheduledChange>& changes = {}) {
        HostParameterChanges queued;
        return inBlocks(std::move(input), block,
                        [&, start = 0](float** in, float** out, int frames) mutable {
                            queued.clear();
                            for (const ScheduledChange& change : changes) {
                                if (change.frame >= start && change.frame < start + frames) {
                                    queued.add(change.id, change.frame - start, change.value);
                                }
                            }
                            instance.process(in, out, frames, &queued);
                            start += frames;
                        });
    }

    // The same through the VST 2 plug-in, each change set between the two parts of its block
    // (values held within 0..1, not-a-number left out, as the VST 3 side takes them).
    static StereoBuffer renderVst2(const HostedEffect& effect, StereoBuffer input, int block,
                                   const std::vector<ScheduledChange>& changes = {}) {
        return inBlocks(
            std::move(input), block, [&, start = 0](float** in, float** out, int frames) mutable {
                int done = 0;
                for (const ScheduledChange& change : changes) {
                    const int at = change.frame - start;
                    if (at < 0 || at >= frames) continue;
                    if (at > done) {
                        float* inPart[2] = {in[0] + done, in[1] + done};
                        float* outPart[2] = {out[0] + done, out[1] + done};
                        effect.process(inPart, outPart, at - done);
                        done = at;
                    }
                    if (change.value != change.value) continue;
                    const double held = change.value < 0.0   ? 0.0
                                        : change.value > 1.0 ? 1.0
                                                             : change.value;
                    effect.set(static_cast<VstInt32>(change.id), static_cast<float>(held));
                }
                float* inPart[2] = {in[0] + done, in[1] + done};
                float* outPart[2] = {out[0] + done, out[1] + done};
                effect.process(inPart, outPart, frames - done);
                start += frames;
            });
    }

    static void expectSameBits(const StereoBuffer& vst3, const StereoBuffer& vst2) {
        ASSERT_EQ(vst3.frames(), vst2.frames());
        for (std::size_t i = 0; i < vst3.frames(); ++i) {
            if (std::memcmp(&vst3.left[i], &vst2.left[i], sizeof(float)) != 0 ||
                std::memcmp(&vst3.right[i], &vst2.right[i], sizeof(float)) != 0) {
                FAIL() << "first difference at frame " << i << ": " << vst3.left[i] << "/"
                       << vst3.right[i] << " against " << vst2.left[i] << "/" << vst2.right[i];
            }
        }
    }

    static inline std::unique_ptr<Vst3Module> vst3Module;
    static inline std::unique_ptr<PluginLibrary> vst2Library;
};
