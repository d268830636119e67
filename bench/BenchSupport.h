// What the benchmarks share: the cases of the table, an effect ready to run at 48 kHz, test
// signals, and the per-frame figure every measurement reports.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "DelayEffect.h"
#include "FactoryPrograms.h"

namespace bench {

constexpr float kSampleRate = 48000.0f;

struct EchoCase {
    const char* name;
    int program;
    bool filtersOff;  // both filter amounts set to 0 after the program
};

// SlapBack has both filters running (low-pass in the loop, high-pass on the echo); Walking
// Shadow runs both in the loop with full modulation, Stadium both on the echo: the heaviest
// kind. SlapBack with both amounts at 0 is the lightest: no filter runs at all.
inline constexpr EchoCase kCases[] = {
    {"SlapBack", 0, false},
    {"WalkingShadow", 14, false},
    {"Stadium", 10, false},
    {"FiltersOff", 0, true},
};
inline constexpr std::int64_t kBlockSizes[] = {64, 512};

// An effect with the case's settings, already running at 48 kHz (the rate change taken up).
std::unique_ptr<DelayEffect> makeEffect(const EchoCase& echoCase);

// Stereo noise in -1..1, long enough that consecutive blocks differ.
struct NoiseSignal {
    explicit NoiseSignal(std::size_t frames, unsigned seed = 1);
    std::vector<float> left, right;
};

// Feeds blocks of a noise signal in turn, as a host hands over consecutive blocks.
class BlockFeeder {
public:
    explicit BlockFeeder(std::int32_t blockSize, unsigned seed = 1);
    // The next block's inputs and the outputs to fill.
    float** inputs();
    float** outputs() { return outputPointers; }
    std::int32_t size() const { return blockSize; }

private:
    std::int32_t blockSize;
    NoiseSignal signal;
    std::vector<float> outL, outR;
    std::size_t position = 0;
    float* inputPointers[2] = {};
    float* outputPointers[2] = {};
};

// Reports the cost as nanoseconds of CPU time per stereo frame ("ns_per_frame").
void reportPerFrame(benchmark::State& state, std::int64_t framesPerIteration);

// Adds min and max over the repetitions to Google Benchmark's mean, median and deviation.
benchmark::internal::Benchmark* withSpread(benchmark::internal::Benchmark* b);

}  // namespace bench
