// The cost of one stereo frame of processReplacing for the cases of the table, with the filters
// four lanes wide (where the processor has AVX2) and two lanes wide, next to the floors: the same
// arithmetic with nothing around it, written plainly and four lanes wide, and the poles' own
// chain alone. All run in the same process, interleaved.
#include <string>

#include "BenchSupport.h"
#include "FloorEcho.h"

namespace bench {
namespace {

// The floor only means something if it computes what the effect computes.
template <typename Floor>
bool floorMatchesEffect(const EchoCase& echoCase) {
    auto effect = makeEffect(echoCase);
    auto floor = std::make_unique<Floor>(kFactoryPrograms[echoCase.program], echoCase.filtersOff,
                                         kSampleRate);
    // The effect has run one frame of silence to take up its rate: so does the floor, and both
    // go on from the same slot of the line.
    float silence[2] = {};
    float ignored[2] = {};
    floor->process(&silence[0], &silence[1], &ignored[0], &ignored[1], 1);
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

void processEffect(benchmark::State& state, EchoCase echoCase, SignalPath::Lanes lanes) {
    SignalPath::chooseLanes(lanes);
    auto effect = makeEffect(echoCase);
    SignalPath::chooseLanes(SignalPath::Lanes::Four);  // back to the widest, the default
    BlockFeeder feeder(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        effect->processReplacing(feeder.inputs(), feeder.outputs(), feeder.size());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, feeder.size());
}

template <typename Floor>
void processFloor(benchmark::State& state, EchoCase echoCase) {
    if (!floorMatchesEffect<Floor>(echoCase)) {
        state.SkipWithError("the floor does not compute the effect's samples");
        return;
    }
    auto floor = std::make_unique<Floor>(kFactoryPrograms[echoCase.program], echoCase.filtersOff,
                                         kSampleRate);
    BlockFeeder feeder(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        float** in = feeder.inputs();
        float** out = feeder.outputs();
        floor->process(in[0], in[1], out[0], out[1], feeder.size());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, feeder.size());
}

void processPoles(benchmark::State& state) {
    FloorPoles poles;
    BlockFeeder feeder(static_cast<std::int32_t>(state.range(0)));
    for (auto _ : state) {
        float** in = feeder.inputs();
        poles.process(in[0], in[1], feeder.size());
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, feeder.size());
}

const bool registered = [] {
    const auto blocks = [](benchmark::internal::Benchmark* b) {
        withSpread(b)->ArgsProduct({{std::begin(kBlockSizes), std::end(kBlockSizes)}});
    };
    const bool fourLanes = SignalPath::widestLanes() == SignalPath::Lanes::Four;
    for (const EchoCase& echoCase : kCases) {
        const std::string name = echoCase.name;
        // "Process" is what the plug-in runs here: four lanes where the processor has AVX2.
        blocks(benchmark::RegisterBenchmark(("Process/" + name).c_str(), processEffect, echoCase,
                                            SignalPath::widestLanes()));
        blocks(benchmark::RegisterBenchmark(("ProcessTwoLanes/" + name).c_str(), processEffect,
                                            echoCase, SignalPath::Lanes::Two));
        blocks(benchmark::RegisterBenchmark(("Floor/" + name).c_str(), processFloor<FloorEcho>,
                                            echoCase));
        if (fourLanes) {
            blocks(benchmark::RegisterBenchmark(("FloorFourLanes/" + name).c_str(),
                                                processFloor<FloorEchoFourLanes>, echoCase));
        }
    }
    if (fourLanes) blocks(benchmark::RegisterBenchmark("FloorPoles", processPoles));
    return true;
}();

}  // namespace
}  // namespace bench
