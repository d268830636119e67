// Whole plug-ins loaded with dlopen and driven through their effect records, ours and the peer
// in the same process and run: the per-frame cost of processReplacing as a host pays it.
#include <xmmintrin.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

#include "BenchSupport.h"
#include "PluginHosting.h"

namespace bench {
namespace {

struct HostedCase {
    const char* name;
    std::string path;
    std::vector<NamedSetting> settings;
};

std::string peerPath() {
    const char* path = std::getenv("ZV_PEER_PLUGIN");
    return path != nullptr ? path : "/usr/lib/vst/lsp-plugins/art-delay-stereo.so";
}

// Libraries stay loaded until the process ends: plug-ins are not all made to be unloaded.
PluginLibrary& library(const std::string& path) {
    static auto& libraries = *new std::map<std::string, std::unique_ptr<PluginLibrary>>;
    auto& slot = libraries[path];
    if (!slot) slot = std::make_unique<PluginLibrary>(path);
    return *slot;
}

void runSilence(AEffect* effect, std::int32_t frames, std::int32_t blockSize) {
    std::vector<float> in(static_cast<std::size_t>(blockSize)), outL(in), outR(in);
    float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {outL.data(), outR.data()};
    for (std::int32_t done = 0; done < frames; done += blockSize)
        effect->processReplacing(effect, ins, outs, blockSize);
}

// Where the loudest answer to an impulse comes, after the dry impulse itself, in milliseconds.
double echoMilliseconds(AEffect* effect, std::int32_t blockSize) {
    const std::int32_t frames = 24000;  // half a second
    std::vector<float> inL(static_cast<std::size_t>(frames)), inR(inL), outL(inL), outR(inL);
    inL[0] = 1.0f;
    inR[0] = 1.0f;
    for (std::int32_t start = 0; start < frames; start += blockSize) {
        float* in[2] = {inL.data() + start, inR.data() + start};
        float* out[2] = {outL.data() + start, outR.data() + start};
        effect->processReplacing(effect, in, out, std::min(blockSize, frames - start));
    }
    std::int32_t loudest = 0;
    float peak = 0.0f;
    for (std::int32_t i = 48; i < frames; ++i) {
        const float level = std::max(std::fabs(outL[i]), std::fabs(outR[i]));
        if (level > peak) {
            peak = level;
            loudest = i;
        }
    }
    return loudest / 48.0;
}

void processPlugin(benchmark::State& state, const HostedCase& hosted) {
    const unsigned hostMode = _mm_getcsr();
    const auto blockSize = static_cast<std::int32_t>(state.range(0));
    HostedEffect instance;
    try {
        instance = startInstance(library(hosted.path), kSampleRate, blockSize);
        applySettings(instance, hosted.settings);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
        return;
    }
    // Some plug-ins take up new settings on a thread of their own, in wall-clock time (the peer
    // rebuilds its delay so): untimed, silence runs as a host would play it until the echo
    // sounds, at the same place twice in a row.
    AEffect* effect = instance.record();
    double echo = 0.0;
    double before = -1.0;
    for (int attempt = 0; attempt < 50 && (echo == 0.0 || echo != before); ++attempt) {
        before = echo;
        runSilence(effect, 48000, blockSize);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        echo = echoMilliseconds(effect, blockSize);
    }
    BlockFeeder feeder(blockSize);
    bool changedMode = false;
    for (auto _ : state) {
        effect->processReplacing(effect, feeder.inputs(), feeder.outputs(), blockSize);
        changedMode = changedMode || _mm_getcsr() != hostMode;
        benchmark::ClobberMemory();
    }
    instance.stop();
    // A plug-in that leaves the host's floating-point mode changed would change every benchmark
    // after it; the mode is put back, and the fault reported.
    _mm_setcsr(hostMode);
    reportPerFrame(state, blockSize);
    state.counters["echo_ms"] = echo;
    state.counters["leaves_fp_mode_changed"] = changedMode ? 1.0 : 0.0;
}

const bool registered = [] {
    static const HostedCase ours{"ZvDelay32", ZV_PLUGIN_PATH, {}};
    static const HostedCase peer{"LspArtDelay", peerPath(), readNamedSettings(ZV_PEER_SETTINGS)};
    for (const HostedCase* hosted : {&ours, &peer}) {
        withSpread(benchmark::RegisterBenchmark((std::string("Plugin/") + hosted->name).c_str(),
                                                processPlugin, *hosted))
            ->ArgsProduct({{std::begin(kBlockSizes), std::end(kBlockSizes)}});
    }
    return true;
}();

}  // namespace
}  // namespace bench
