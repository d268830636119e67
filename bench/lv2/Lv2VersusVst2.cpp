// What the LV2 face costs next to the VST 2 one: both built plug-ins loaded with dlopen as their
// hosts load them, set to the same program at 48 kHz, and run over the same blocks, interleaved
// in one process so that a noisy machine slows both alike. The LV2 run also looks at its nine
// control ports at every block; that, and nothing else, is the difference measured.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <lv2/core/lv2.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "AEffect.h"
#include "FactoryPrograms.h"
#include "Lv2Identity.h"
#include "ParameterFields.h"

namespace {

constexpr double kRate = 48000.0;

void* openLibrary(const char* path) {
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) throw std::runtime_error(dlerror());
    return library;
}

// A stereo block of input that is not silence, and its output.
struct Block {
    explicit Block(int frames) : inL(frames), inR(frames), outL(frames), outR(frames) {
        std::uint32_t seed = 12345;
        for (int i = 0; i < frames; ++i) {
            seed = seed * 1664525u + 1013904223u;
            inL[i] = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
            inR[i] = -inL[i];
        }
    }
    std::vector<float> inL, inR, outL, outR;
};

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

void vst2(benchmark::State& state, int program) {
    static void* library = openLibrary(ZV_VST2_PATH);
    auto entry =
        reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(library, "VSTPluginMain"));
    AEffect* effect = entry(hostCallback);
    const auto frames = static_cast<int>(state.range(0));
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    effect->dispatcher(effect, effSetBlockSize, 0, frames, nullptr, 0.0f);
    effect->dispatcher(effect, effSetProgram, 0, program, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    Block block(frames);
    float* in[] = {block.inL.data(), block.inR.data()};
    float* out[] = {block.outL.data(), block.outR.data()};
    for (auto _ : state) {
        effect->processReplacing(effect, in, out, frames);
        benchmark::ClobberMemory();
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void lv2(benchmark::State& state, int program) {
    static void* library = openLibrary(ZV_LV2_DSP_PATH);
    auto entry = reinterpret_cast<const LV2_Descriptor* (*)(std::uint32_t)>(
        dlsym(library, "lv2_descriptor"));
    const LV2_Descriptor* descriptor = entry(0);
    const LV2_Feature* const features[] = {nullptr};
    LV2_Handle instance = descriptor->instantiate(descriptor, kRate, "", features);
    const auto frames = static_cast<int>(state.range(0));
    float controls[kNumParams];
    for (int index = 0; index < kNumParams; ++index) {
        controls[index] = parameter_fields::load(kFactoryPrograms[program].values, index);
        descriptor->connect_port(instance, lv2id::controlPort(index), &controls[index]);
    }
    Block block(frames);
    descriptor->connect_port(instance, lv2id::kInputLeft, block.inL.data());
    descriptor->connect_port(instance, lv2id::kInputRight, block.inR.data());
    descriptor->connect_port(instance, lv2id::kOutputLeft, block.outL.data());
    descriptor->connect_port(instance, lv2id::kOutputRight, block.outR.data());
    descriptor->activate(instance);
    for (auto _ : state) {
        descriptor->run(instance, static_cast<std::uint32_t>(frames));
        benchmark::ClobberMemory();
    }
    descriptor->deactivate(instance);
    descriptor->cleanup(instance);
    state.counters["ns_per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// SlapBack (low-pass in the loop, high-pass on the echo) and Spacey (both on the echo, deep pan).
constexpr int kPrograms[] = {0, 11};

const bool registered = [] {
    for (const int program : kPrograms) {
        const std::string name = kFactoryPrograms[program].name;
        benchmark::RegisterBenchmark(("VST2/" + name).c_str(), vst2, program)->Arg(64)->Arg(512);
        benchmark::RegisterBenchmark(("LV2/" + name).c_str(), lv2, program)->Arg(64)->Arg(512);
    }
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
