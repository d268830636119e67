// The cost per frame must not depend on how many frames a block has (beyond the few calls made
// once per block) nor on how long the delay is.
#include "BenchSupport.h"

namespace bench {
namespace {

void byBlockSize(benchmark::State& state) {
    auto effect = makeEffect(kCases[0]);
    BlockFeeder feeder(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        effect->processReplacing(feeder.inputs(), feeder.outputs(), feeder.size());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, feeder.size());
}

void byDelayLength(benchmark::State& state) {
    auto effect = makeEffect(kCases[0]);
    // The Delay value for the length asked for: (48000 − 1) × value samples.
    effect->setParameter(kDelay, static_cast<float>(state.range(0)) / 47999.0f);
    BlockFeeder feeder(512);
    for (auto _ : state) {
        effect->processReplacing(feeder.inputs(), feeder.outputs(), feeder.size());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, feeder.size());
    state.counters["delay_samples"] = effect->delayCore().delayLength()->samples;
}

const bool registered = [] {
    withSpread(benchmark::RegisterBenchmark("Scaling/Frames", byBlockSize))
        ->Arg(16)
        ->Arg(64)
        ->Arg(256)
        ->Arg(1024)
        ->Arg(4096);
    withSpread(benchmark::RegisterBenchmark("Scaling/DelaySamples", byDelayLength))
        ->Arg(1)
        ->Arg(100)
        ->Arg(1000)
        ->Arg(10000)
        ->Arg(47999);
    return true;
}();

}  // namespace
}  // namespace bench
