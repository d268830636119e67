#include "BenchSupport.h"

#include <algorithm>

namespace bench {

std::unique_ptr<DelayEffect> makeEffect(const EchoCase& echoCase) {
    auto effect = std::make_unique<DelayEffect>(nullptr);
    effect->setSampleRate(kSampleRate);
    effect->setProgram(echoCase.program);
    if (echoCase.filtersOff) {
        effect->setParameter(kLowPass, 0.0f);
        effect->setParameter(kHighPass, 0.0f);
    }
    // The first block takes up the new rate and clears the lines; it is not part of any timing.
    float silence[2][1] = {};
    float* in[2] = {silence[0], silence[1]};
    float out[2][1] = {};
    float* outs[2] = {out[0], out[1]};
    effect->processReplacing(in, outs, 1);
    return effect;
}

NoiseSignal::NoiseSignal(std::size_t frames, unsigned seed) : left(frames), right(frames) {
    unsigned state = seed * 2654435761u + 1u;
    auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<int>(state >> 8) - (1 << 23)) / float(1 << 23);
    };
    for (std::size_t i = 0; i < frames; ++i) {
        left[i] = next();
        right[i] = next();
    }
}

BlockFeeder::BlockFeeder(std::int32_t size, unsigned seed)
    : blockSize(size),
      signal(static_cast<std::size_t>(std::max(size, 1)) * 64, seed),
      outL(static_cast<std::size_t>(size)),
      outR(static_cast<std::size_t>(size)) {
    outputPointers[0] = outL.data();
    outputPointers[1] = outR.data();
}

float** BlockFeeder::inputs() {
    inputPointers[0] = signal.left.data() + position;
    inputPointers[1] = signal.right.data() + position;
    position += static_cast<std::size_t>(blockSize);
    if (position >= signal.left.size()) position = 0;
    return inputPointers;
}

void reportPerFrame(benchmark::State& state, std::int64_t framesPerIteration) {
    // Frames per second of CPU time, inverted: seconds per frame; the CSV report gives it in ns.
    state.counters["ns_per_frame"] = benchmark::Counter(
        static_cast<double>(framesPerIteration),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

benchmark::internal::Benchmark* withSpread(benchmark::internal::Benchmark* b) {
    return b
        ->ComputeStatistics(
            "min",
            [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) {
            return *std::max_element(v.begin(), v.end());
        });
}

}  // namespace bench
