// Hosts build, run and close instances on whatever thread they like, several at once (a project
// being loaded, a plug-in scanner, one audio thread per core). The shared sine table is built by
// whichever instance comes first, and each instance must sound exactly as it does alone.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "AudioChecks.h"
#include "DelayEffect.h"
#include "HostCallback.h"
#include "HostedEffect.h"
#include "StereoBuffer.h"

namespace {
constexpr int kThreads = 4;
constexpr int kInstancesPerThread = 10;
constexpr std::size_t kFrames = 16384;

StereoBuffer soundOfProgram(int program) {
    HostedEffect effect(createEffect(quietHost)->getAeffect());
    effect.start();
    effect.call(effSetProgram, 0, program);
    StereoBuffer in = impulse(kFrames, 0, 1.0f, 0.5f);
    StereoBuffer out(kFrames);
    for (std::size_t start = 0; start < kFrames; start += 256) {
        float* inputs[2] = {in.left.data() + start, in.right.data() + start};
        float* outputs[2] = {out.left.data() + start, out.right.data() + start};
        effect.process(inputs, outputs, 256);
    }
    return out;
}
}  // namespace

TEST(InstancesOnManyThreads, AreBuiltRunAndClosedAtOnceAndEachSoundsAsAlone) {
    std::atomic<std::size_t> unusable{0};
    std::vector<StereoBuffer> outputs(kThreads * kInstancesPerThread);  // one slot per instance
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&unusable, &outputs, t] {
            for (int n = 0; n < kInstancesPerThread; ++n) {
                const StereoBuffer out =
                    soundOfProgram((t * kInstancesPerThread + n) % kNumPrograms);
                unusable += countUnusableSamples(out.left.data(), kFrames) +
                            countUnusableSamples(out.right.data(), kFrames);
                outputs[static_cast<std::size_t>(t * kInstancesPerThread + n)] = out;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(unusable.load(), 0u);
    int differing = 0;
    for (int i = 0; i < kThreads * kInstancesPerThread; ++i) {
        const StereoBuffer alone = soundOfProgram(i % kNumPrograms);
        const StereoBuffer& together = outputs[static_cast<std::size_t>(i)];
        differing += (alone.left != together.left || alone.right != together.right) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
}
