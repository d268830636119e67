// What the audio thread pays, in microseconds, for the two changes that clear the lines: a new
// Delay value and a new sample rate. Each is timed from the change to the end of the next
// one-frame block (the clear is carried out there), after the line has been filled again.
#include <chrono>

#include "BenchSupport.h"

namespace bench {
namespace {

enum class Change { Delay, SampleRate };

void timeChange(benchmark::State& state, Change change, float delayValue) {
    auto effect = makeEffect(kCases[0]);
    effect->setParameter(kDelay, delayValue);
    BlockFeeder feeder(512);
    BlockFeeder oneFrame(1);
    double microseconds = 0.0;
    float rate = kSampleRate;
    for (auto _ : state) {
        // Untimed: a full pass through the line, so the clear has all of it to do.
        for (std::int32_t done = 0; done <= effect->delayCore().delayLength()->samples; done += 512)
            effect->processReplacing(feeder.inputs(), feeder.outputs(), 512);

        const auto start = std::chrono::steady_clock::now();
        if (change == Change::Delay) {
            effect->setParameter(kDelay, delayValue);
        } else {
            rate = rate == kSampleRate ? 44100.0f : kSampleRate;
            effect->setSampleRate(rate);
        }
        effect->processReplacing(oneFrame.inputs(), oneFrame.outputs(), 1);
        const auto stop = std::chrono::steady_clock::now();
        microseconds += std::chrono::duration<double, std::micro>(stop - start).count();
    }
    state.counters["us_per_change"] =
        benchmark::Counter(microseconds, benchmark::Counter::kAvgIterations);
    state.counters["delay_samples"] = effect->delayCore().delayLength()->samples;
}

const bool registered = [] {
    // SlapBack's own length, and the longest a Delay value of 1 gives at 48 kHz.
    withSpread(benchmark::RegisterBenchmark("Change/Delay/SlapBack", timeChange, Change::Delay,
                                            kFactoryPrograms[0].values.delayTime))
        ->Iterations(2000);
    withSpread(
        benchmark::RegisterBenchmark("Change/Delay/Longest", timeChange, Change::Delay, 1.0f))
        ->Iterations(200);
    withSpread(benchmark::RegisterBenchmark("Change/SampleRate/SlapBack", timeChange,
                                            Change::SampleRate,
                                            kFactoryPrograms[0].values.delayTime))
        ->Iterations(2000);
    withSpread(benchmark::RegisterBenchmark("Change/SampleRate/Longest", timeChange,
                                            Change::SampleRate, 1.0f))
        ->Iterations(200);
    return true;
}();

}  // namespace
}  // namespace bench
