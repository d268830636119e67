// Renders the built plug-in through every program, and once under automation, at the rates
// given, and prints one line per render with a 64-bit digest of every output sample's bits:
//   zv_render_digests [--samples FILE] PLUGIN RATE...
// --samples also writes every output sample, as 32-bit floats in render order (left block, right
// block), for counting how many samples two renders differ in.
// Built for Linux and for Windows alike, so that two builds of the plug-in can be compared line
// for line; the input, the block sizes and the automation are made from integers only, so they
// are the same bits on every platform.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>
#include <vector>

#include "HostedEffect.h"
#include "PluginLibrary.h"

namespace {

constexpr VstInt32 kBlockSizes[] = {512, 1, 333, 4096, 64, 7, 1024};
constexpr VstInt32 kLargestBlock = 4096;

// A small generator that gives the same numbers everywhere.
class Numbers {
public:
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state;
    }
    // In [0, 1), with 24 bits: exactly representable as a float.
    float unit() { return static_cast<float>(next() >> 8) / 16777216.0f; }

private:
    std::uint32_t state = 12345u;
};

// FNV-1a over the bits of each sample.
class Digest {
public:
    void add(const float* samples, VstInt32 count) {
        for (VstInt32 i = 0; i < count; ++i) {
            std::uint32_t bits;
            std::memcpy(&bits, &samples[i], sizeof bits);
            for (int byte = 0; byte < 4; ++byte) {
                value = (value ^ ((bits >> (8 * byte)) & 0xffu)) * 1099511628211ull;
            }
        }
    }
    unsigned long long get() const { return value; }

private:
    unsigned long long value = 14695981039346656037ull;
};

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// A tenth of a second of noise, different on each side, then silence for the echoes.
void fillInput(std::int64_t frame, std::int32_t rate, Numbers& noise, float* left, float* right,
               VstInt32 frames) {
    for (VstInt32 i = 0; i < frames; ++i) {
        const bool sounding = (frame + i) * 10 < rate;
        left[i] = sounding ? noise.unit() * 2.0f - 1.0f : 0.0f;
        right[i] = sounding ? noise.unit() * 2.0f - 1.0f : 0.0f;
    }
}

// One second at `rate` from a fresh instance: the program as chosen, or (program < 0) every
// parameter moved between blocks and the program changed now and then, as a host automates.
unsigned long long render(const PluginLibrary& library, std::int32_t rate, VstInt32 program,
                          std::FILE* samples) {
    HostedEffect effect(library.instantiateChecked(host));
    effect.call(effOpen);
    effect.call(effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    effect.call(effSetBlockSize, 0, kLargestBlock);
    effect.call(effSetProgram, 0, program < 0 ? 0 : program);
    effect.call(effMainsChanged, 0, 1);

    std::vector<float> in[2], out[2];
    for (int side = 0; side < 2; ++side) {
        in[side].resize(kLargestBlock);
        out[side].resize(kLargestBlock);
    }
    float* inputs[2] = {in[0].data(), in[1].data()};
    float* outputs[2] = {out[0].data(), out[1].data()};
    Numbers noise, automation;
    Digest digest;
    std::int64_t frame = 0;
    for (std::size_t block = 0; frame < rate; ++block) {
        const VstInt32 frames = static_cast<VstInt32>(
            std::min<std::int64_t>(kBlockSizes[block % std::size(kBlockSizes)], rate - frame));
        if (program < 0) {
            if (block % 97 == 96) {
                effect.call(effSetProgram, 0, static_cast<VstInt32>(automation.next() % 26u));
            }
            effect.set(static_cast<VstInt32>(block % 9), automation.unit());
        }
        fillInput(frame, rate, noise, inputs[0], inputs[1], frames);
        effect.process(inputs, outputs, frames);
        digest.add(outputs[0], frames);
        digest.add(outputs[1], frames);
        if (samples != nullptr) {
            std::fwrite(outputs[0], sizeof(float), static_cast<std::size_t>(frames), samples);
            std::fwrite(outputs[1], sizeof(float), static_cast<std::size_t>(frames), samples);
        }
        frame += frames;
    }
    effect.stop();
    return digest.get();
}

}  // namespace

int main(int argc, char** argv) {
    std::FILE* samples = nullptr;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--samples") == 0) {
        samples = std::fopen(argv[2], "wb");
        if (samples == nullptr) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            return 1;
        }
        first = 3;
    }
    if (argc < first + 2) {
        std::fprintf(stderr, "usage: %s [--samples FILE] PLUGIN RATE...\n", argv[0]);
        return 2;
    }
    try {
        const PluginLibrary library(argv[first]);
        for (int arg = first + 1; arg < argc; ++arg) {
            const auto rate = static_cast<std::int32_t>(std::strtol(argv[arg], nullptr, 10));
            if (rate <= 0) {
                std::fprintf(stderr, "not a rate: %s\n", argv[arg]);
                return 2;
            }
            HostedEffect probe(library.instantiateChecked(host));
            const VstInt32 programs = probe.record()->numPrograms;
            probe.close();
            for (VstInt32 program = -1; program < programs; ++program) {
                std::printf("%6d Hz  %-10s %3d  %016llx\n", rate,
                            program < 0 ? "automation" : "program", program < 0 ? 0 : program,
                            render(library, rate, program, samples));
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return samples != nullptr && std::fclose(samples) != 0 ? 1 : 0;
}
