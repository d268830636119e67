// The cost of one stereo frame of processReplacing for the cases of the table, next to the floor:
// the same arithmetic with nothing around it, run in the same process and interleaved with it.
#include <string>

#include "BenchSupport.h"
#include "FloorEcho.h"

namespace bench {
namespace {

// The floor only means something if it computes what the effect computes.
bool floorMatchesEffect(const EchoCase& echoCase) {
    auto effect = std::make_unique<VstXSynth>(nullptr);
    effect->setSampleRate(kSampleRate);
    effect->setProgram(echoCase.program);
    if (echoCase.filtersOff) {
        effect->setParameter(kLowPass, 0.0f);
        effect->setParameter(kHighPass, 0.0f);
    }
    auto floor = std::make_unique<FloorEcho>(kFactoryPrograms[echoCase.program],
                                             echoCase.filtersOff, kSampleRate);
    BlockFeeder ours(512, 3);
    BlockFeeder bare(512, 3);
    for (int block = 0; block < 40; ++block) {
        effect->processReplacing(ours.inputs(), ours.outputs(), 512);
        float** in = bare.inputs();
        float** out = bare.outputs();
        floor->process(in[0], in[1], out[0], out[1], 512);
        for (int i = 0; i < 512; ++i) {
            if (ours.outputs()[0][i] != out[0][i] || ours.outputs()[1][i] != out[1][i])
                return false;
        }
    }
    return true;
}

void processEffect(benchmark::State& state, EchoCase echoCase) {
    auto effect = makeEffect(echoCase);
    BlockFeeder feeder(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        effect->processReplacing(feeder.inputs(), feeder.outputs(), feeder.size());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, feeder.size());
}

void processFloor(benchmark::State& state, EchoCase echoCase) {
    if (!floorMatchesEffect(echoCase)) {
        state.SkipWithError("the floor does not compute the effect's samples");
        return;
    }
    auto floor = std::make_unique<FloorEcho>(kFactoryPrograms[echoCase.program],
                                             echoCase.filtersOff, kSampleRate);
    BlockFeeder feeder(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        float** in = feeder.inputs();
        float** out = feeder.outputs();
        floor->process(in[0], in[1], out[0], out[1], feeder.size());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, feeder.size());
}

const bool registered = [] {
    for (const EchoCase& echoCase : kCases) {
        const std::string name = echoCase.name;
        withSpread(benchmark::RegisterBenchmark(("Process/" + name).c_str(), processEffect, echoCase))
            ->ArgsProduct({{std::begin(kBlockSizes), std::end(kBlockSizes)}});
        withSpread(benchmark::RegisterBenchmark(("Floor/" + name).c_str(), processFloor, echoCase))
            ->ArgsProduct({{std::begin(kBlockSizes), std::end(kBlockSizes)}});
    }
    return true;
}();

}  // namespace
}  // namespace bench
