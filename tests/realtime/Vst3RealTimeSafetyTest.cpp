// The VST 3 bundle keeps the same promise: process, with the host's parameter queues (changes at
// offsets inside the block, the program through its parameter), takes no memory from the heap, no
// lock and makes no system call.
#include <gtest/gtest.h>

#include <vector>

#include "AudioThreadWatch.h"
#include "FactoryPrograms.h"
#include "RealTimeExpectations.h"
#include "StereoBuffer.h"
#include "SystemCallWatch.h"
#include "Vst3Identity.h"
#include "Vst3Instance.h"
#include "Vst3Module.h"

// The bundle loaded as a host loads it, at 48000 Hz: every program chosen through the queue, in
// blocks of 1 to 4096 frames, the delay and one other parameter moved inside each block.
TEST(RealTime, TheBuiltVst3BundleProcessesQueuedChangesFreeOfAllocationsLocksAndSystemCalls) {
    Vst3Module module(ZV_VST3_BUNDLE);
    Vst3Instance instance(module);
    instance.start(48000.0);

    constexpr int kLongest = 4096;
    const std::vector<int> sizes = {1, 64, 511, kLongest};
    // The queues are the host's, filled before its audio thread runs.
    std::vector<HostParameterChanges> changes(kNumPrograms * sizes.size());
    for (int program = 0; program < kNumPrograms; ++program) {
        for (std::size_t step = 0; step < sizes.size(); ++step) {
            HostParameterChanges& block = changes[program * sizes.size() + step];
            block.add(vst3id::kProgramChangeId, 0, program / 25.0);
            block.add(0, sizes[step] / 2, 0.05 * static_cast<double>(step + 1));
            block.add(static_cast<vst3::ParamID>(1 + (program + step) % 8), sizes[step] - 1,
                      step % 2 == 0 ? 0.0 : 1.0);
        }
    }
    StereoBuffer in = noise(kLongest, 5);
    StereoBuffer out(kLongest);
    const auto hostAudioThread = [&] {
        for (std::size_t block = 0; block < changes.size(); ++block) {
            auto inputs = in.channels();
            auto outputs = out.channels();
            instance.process(inputs.get(), outputs.get(), sizes[block % sizes.size()],
                             &changes[block]);
        }
    };
    expectRealTimeSafe(hostAudioThread);
    instance.stop();
}
