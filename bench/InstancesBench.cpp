// How many instances one core keeps in real time at 48 kHz: many instances, each with its own
// track buffers, process one block each in turn, as a host runs a session's inserts. Caches are
// shared the way they are in a session, so the figure includes their misses.
#include <string>

#include "BenchSupport.h"

namespace bench {
namespace {

struct Track {
    std::unique_ptr<DelayEffect> effect;
    std::vector<float> inL, inR, outL, outR;
};

// Built once and kept: hundreds of instances take a while to make. Buffers hold the largest block.
std::vector<Track>& trackPool(std::size_t count) {
    constexpr std::size_t kLargestBlock = 512;
    static std::vector<Track> tracks;
    while (tracks.size() < count) {
        Track track;
        track.effect = makeEffect(kCases[0]);
        NoiseSignal signal(kLargestBlock, static_cast<unsigned>(tracks.size()));
        track.inL = signal.left;
        track.inR = signal.right;
        track.outL.resize(kLargestBlock);
        track.outR.resize(kLargestBlock);
        tracks.push_back(std::move(track));
    }
    return tracks;
}

void roundRobin(benchmark::State& state, EchoCase echoCase, std::int32_t blockSize) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<Track>& tracks = trackPool(count);
    // A program keeps the edits made to it, so the filter amounts are set either way: the pool
    // has run other cases before.
    const EchoValues<Plain>& program = kFactoryPrograms[echoCase.program].values;
    for (std::size_t t = 0; t < count; ++t) {
        DelayEffect& effect = *tracks[t].effect;
        effect.setProgram(echoCase.program);
        effect.setParameter(kLowPass,
                            echoCase.filtersOff ? 0.0f : static_cast<float>(program.lowPass));
        effect.setParameter(kHighPass,
                            echoCase.filtersOff ? 0.0f : static_cast<float>(program.highPass));
    }
    for (auto _ : state) {
        for (std::size_t t = 0; t < count; ++t) {
            Track& track = tracks[t];
            float* in[2] = {track.inL.data(), track.inR.data()};
            float* out[2] = {track.outL.data(), track.outR.data()};
            track.effect->processReplacing(in, out, blockSize);
        }
        benchmark::ClobberMemory();
    }
    // Seconds of audio made per second of CPU time, over all instances: how many one core keeps.
    const double audioSeconds = static_cast<double>(count) * blockSize / kSampleRate;
    state.counters["instances_per_core"] =
        benchmark::Counter(audioSeconds, benchmark::Counter::kIsIterationInvariantRate);
    reportPerFrame(state, static_cast<std::int64_t>(count) * blockSize);
}

const bool registered = [] {
    for (const EchoCase& echoCase : kCases) {
        for (std::int64_t block : kBlockSizes) {
            const std::string name =
                std::string("Instances/") + echoCase.name + "/" + std::to_string(block);
            withSpread(benchmark::RegisterBenchmark(name.c_str(), roundRobin, echoCase,
                                                    static_cast<std::int32_t>(block)))
                ->Arg(300);
        }
    }
    // How the count holds up as the session grows (SlapBack, 64-frame blocks).
    withSpread(
        benchmark::RegisterBenchmark("Instances/SlapBackBySessionSize", roundRobin, kCases[0], 64))
        ->Arg(1)
        ->Arg(100)
        ->Arg(300)
        ->Arg(500);
    return true;
}();

}  // namespace
}  // namespace bench
