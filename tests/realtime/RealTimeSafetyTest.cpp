// What a host may call on its audio thread (processReplacing; setParameter and setProgram for
// automation and program changes) must take no memory from the heap, take no lock and make no
// system call (so no I/O either): any of them can wait for another thread or for the kernel, and
// the audio thread has a deadline. Each case runs the calls under the watches and expects
// nothing counted.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "AudioThreadWatch.h"
#include "EffectUnderTest.h"
#include "HostCallback.h"
#include "HostedEffect.h"
#include "LaneWidths.h"
#include "PluginLibrary.h"
#include "RealTimeExpectations.h"
#include "SystemCallWatch.h"

// The settings the audio thread shares with other threads are atomics that need no lock.
static_assert(std::atomic<float>::is_always_lock_free && std::atomic<double>::is_always_lock_free &&
              std::atomic<bool>::is_always_lock_free &&
              std::atomic<std::int32_t>::is_always_lock_free &&
              std::atomic<unsigned>::is_always_lock_free);

namespace {
void* volatile keep;  // stops the compiler from leaving out the allocations of the first case

// The host's side of one audio callback: fixed buffers, made before anything is watched.
struct AudioBuffers {
    explicit AudioBuffers(std::size_t frames) : in(noise(frames, 3)), out(frames) {}
    void process(DelayEffect& effect, VstInt32 frames) {
        float* inputs[2] = {in.left.data(), in.right.data()};
        float* outputs[2] = {out.left.data(), out.right.data()};
        effect.processReplacing(inputs, outputs, frames);
    }
    StereoBuffer in, out;
};

const float kValues[] = {0.0f, 0.01f, 0.25f, 0.5f, 0.75f, 1.0f};

// Everything a host does on its audio thread, as one piece of work: blocks of each program at
// two sizes, every parameter moved between blocks, every program chosen, a new rate taken up.
void audioThreadDay(EffectUnderTest& effect, AudioBuffers& buffers) {
    for (int program = 0; program < kNumPrograms; ++program) {
        effect.setProgram(program);
        for (VstInt32 frames : {64, 512, 1, 0}) buffers.process(effect, frames);
    }
    for (VstInt32 index = 0; index < kNumParams; ++index) {
        for (float value : kValues) {
            effect.setParameter(index, value);
            buffers.process(effect, 64);
        }
    }
    effect.setParameter(-1, 0.5f);
    effect.setParameter(kNumParams, 0.5f);
    effect.setProgram(kNumPrograms);
    effect.setSampleRate(effect.getSampleRate() == 48000.0f ? 44100.0f : 48000.0f);
    buffers.process(effect, 512);
}
}  // namespace

TEST(RealTime, TheWatchesSeeWhatTheyAreThereFor) {
    WatchedSection section;
    keep = ::operator new(16);
    ::operator delete(keep);
    keep = std::malloc(16);
    std::free(keep);
    std::mutex lock;
    lock.lock();
    lock.unlock();
    const WatchedCalls calls = section.stop();
    EXPECT_GE(calls.allocations, 2);
    EXPECT_GE(calls.releases, 2);
    EXPECT_GE(calls.locks, 1);

    // The plug-in library carries its own C++ runtime; its allocations are seen all the same.
    PluginLibrary library(ZV_PLUGIN_PATH);
    WatchedSection making;
    HostedEffect effect(library.instantiate(quietHost));
    EXPECT_GE(making.stop().allocations, 2);  // the effect and its two delay lines

    const SystemCallReport report = countSystemCalls(
        [] { keep = reinterpret_cast<void*>(static_cast<std::intptr_t>(getppid())); });
    if (!report.filterInstalled) GTEST_SKIP() << "no seccomp filter here: " << report.whyNot;
    EXPECT_EQ(report.calls, 1);
    EXPECT_EQ(countSystemCalls([] {}).calls, 0);
}

// The signal path runs its filters two lanes wide or, where the processor has AVX2, four: the
// watches see both.
class RealTimeOnEachLaneWidth : public OnEachLaneWidth {};
ZV_ON_EACH_LANE_WIDTH(RealTimeOnEachLaneWidth);

TEST_P(RealTimeOnEachLaneWidth, ProcessingAllocatesNothingAndTakesNoLock) {
    EffectUnderTest effect;
    AudioBuffers buffers(512);
    for (int program : {0, 14, 10, 7}) {
        effect.setProgram(program);
        buffers.process(effect, 512);
        WatchedSection section;
        for (int block = 0; block < 200; ++block) buffers.process(effect, block % 2 ? 64 : 512);
        const WatchedCalls calls = section.stop();
        EXPECT_TRUE(calls.none()) << "program " << program << ": " << calls.allocations
                                  << " allocations, " << calls.releases << " releases, "
                                  << calls.locks << " locks";
    }
}

TEST_P(RealTimeOnEachLaneWidth,
       ParameterAndProgramChangesOnTheAudioThreadAllocateNothingAndTakeNoLock) {
    EffectUnderTest effect;
    AudioBuffers buffers(512);
    audioThreadDay(effect, buffers);  // once unwatched, so every path has run before
    WatchedSection section;
    audioThreadDay(effect, buffers);
    const WatchedCalls calls = section.stop();
    EXPECT_EQ(calls.allocations, 0);
    EXPECT_EQ(calls.releases, 0);
    EXPECT_EQ(calls.locks, 0);
}

TEST_P(RealTimeOnEachLaneWidth, TheAudioThreadMakesNoSystemCall) {
    EffectUnderTest effect;
    AudioBuffers buffers(512);
    audioThreadDay(effect, buffers);
    const SystemCallReport report = countSystemCalls([&] { audioThreadDay(effect, buffers); });
    if (!report.filterInstalled) GTEST_SKIP() << "no seccomp filter here: " << report.whyNot;
    EXPECT_EQ(report.calls, 0) << "the first was system call number " << report.firstCallNumber;
}

// The shipped library, with its own copy of the C++ runtime, reached only through its record.
TEST(RealTime, TheBuiltPlugInKeepsItsAudioThreadFreeOfAllocationsLocksAndSystemCalls) {
    PluginLibrary library(ZV_PLUGIN_PATH);
    HostedEffect effect(library.instantiate(quietHost));
    effect.start(48000.0f, 512);
    StereoBuffer in = noise(512, 5);
    StereoBuffer out(512);
    float* inputs[2] = {in.left.data(), in.right.data()};
    float* outputs[2] = {out.left.data(), out.right.data()};
    const auto hostAudioThread = [&] {
        for (VstInt32 program = 0; program < kNumPrograms; ++program) {
            effect.call(effSetProgram, 0, program);
            for (VstInt32 index = 0; index < kNumParams; ++index) {
                effect.set(index, kValues[(program + index) % 6]);
                effect.process(inputs, outputs, 64);
            }
            effect.process(inputs, outputs, 512);
        }
    };
    expectRealTimeSafe(hostAudioThread);
}
