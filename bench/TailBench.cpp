// A silent tail must cost what signal costs. After a loud burst at high feedback the echo decays
// for minutes; without flushing, its samples would sink into the slow subnormal range and stay
// there (0.9 × the smallest subnormals rounds back to themselves), so the quietest part of a song
// would be the most expensive one. Each case runs its own settings with the feedback at 0.9.
#include <cmath>
#include <string>

#include "BenchSupport.h"
#include "FloorEcho.h"

namespace bench {
namespace {

constexpr float kHighFeedback = 0.9f;
constexpr std::int64_t kBurstFrames = 48000;                   // one second of full-scale noise
constexpr std::int64_t kSilenceBeforeTiming = 3 * 60 * 48000;  // three minutes

bool isSubnormal(float x) { return std::fpclassify(x) == FP_SUBNORMAL; }

// Runs `frames` frames of the feeder's blocks (or of silence) and counts subnormal outputs.
std::int64_t runFor(DelayEffect& effect, BlockFeeder& feeder, std::int64_t frames, bool silent) {
    std::vector<float> silenceL(static_cast<std::size_t>(feeder.size())), silenceR(silenceL);
    float* silence[2] = {silenceL.data(), silenceR.data()};
    std::int64_t subnormals = 0;
    for (std::int64_t done = 0; done < frames; done += feeder.size()) {
        float** out = feeder.outputs();
        effect.processReplacing(silent ? silence : feeder.inputs(), out, feeder.size());
        for (std::int32_t i = 0; i < feeder.size(); ++i) {
            subnormals += isSubnormal(out[0][i]) + isSubnormal(out[1][i]);
        }
    }
    return subnormals;
}

void tailOfEffect(benchmark::State& state, EchoCase echoCase, bool silent) {
    auto effect = makeEffect(echoCase);
    effect->setParameter(kFeedBack, kHighFeedback);
    BlockFeeder feeder(static_cast<std::int32_t>(state.range(0)));
    std::int64_t subnormals = runFor(*effect, feeder, kBurstFrames, false);
    if (silent) subnormals += runFor(*effect, feeder, kSilenceBeforeTiming, true);

    std::vector<float> silenceL(static_cast<std::size_t>(feeder.size())), silenceR(silenceL);
    float* silence[2] = {silenceL.data(), silenceR.data()};
    for (auto _ : state) {
        effect->processReplacing(silent ? silence : feeder.inputs(), feeder.outputs(),
                                 feeder.size());
        benchmark::ClobberMemory();
    }
    subnormals += runFor(*effect, feeder, 48000, silent);
    reportPerFrame(state, feeder.size());
    state.counters["subnormal_outputs"] = static_cast<double>(subnormals);
}

// The same tail through the floor, which does not flush: what the flushing saves.
void tailOfFloor(benchmark::State& state, bool silent) {
    FactoryProgram program = kFactoryPrograms[0];
    program.values.feedBack = kHighFeedback;
    auto floor = std::make_unique<FloorEcho>(program, true, kSampleRate);
    BlockFeeder feeder(static_cast<std::int32_t>(state.range(0)));
    std::vector<float> silenceL(static_cast<std::size_t>(feeder.size())), silenceR(silenceL);
    auto run = [&](bool quiet) {
        float** in = feeder.inputs();
        float** out = feeder.outputs();
        floor->process(quiet ? silenceL.data() : in[0], quiet ? silenceR.data() : in[1], out[0],
                       out[1], feeder.size());
    };
    for (std::int64_t done = 0; done < kBurstFrames; done += feeder.size()) run(false);
    if (silent) {
        for (std::int64_t done = 0; done < kSilenceBeforeTiming; done += feeder.size()) run(true);
    }
    for (auto _ : state) {
        run(silent);
        benchmark::ClobberMemory();
    }
    reportPerFrame(state, feeder.size());
}

const bool registered = [] {
    for (const EchoCase& echoCase : kCases) {
        for (bool silent : {false, true}) {
            const std::string name =
                std::string("Tail/") + echoCase.name + (silent ? "/silence" : "/signal");
            withSpread(benchmark::RegisterBenchmark(name.c_str(), tailOfEffect, echoCase, silent))
                ->ArgsProduct({{std::begin(kBlockSizes), std::end(kBlockSizes)}});
        }
    }
    for (bool silent : {false, true}) {
        const std::string name =
            std::string("Tail/UnflushedFloor") + (silent ? "/silence" : "/signal");
        withSpread(benchmark::RegisterBenchmark(name.c_str(), tailOfFloor, silent))->Arg(512);
    }
    return true;
}();

}  // namespace
}  // namespace bench
