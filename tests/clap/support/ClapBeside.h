// The built ZvDelay32.clap, loaded and driven through our CLAP host, beside the built VST 2
// plug-in driven through its record: the same input through both, in blocks of the sizes given,
// with the same changes at the same frames. The VST 2 plug-in takes a change between blocks; CLAP
// gets it as an event inside its block.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "ClapHostedPlugin.h"
#include "ClapLibrary.h"
#include "HostCallback.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"
#include "StereoBuffer.h"

inline const ClapLibrary& clapLibrary() {
    static const ClapLibrary library(ZV_CLAP_PATH);
    return library;
}
inline const PluginLibrary& vst2Library() {
    static const PluginLibrary library(ZV_PLUGIN_PATH);
    return library;
}

// A factory program loaded as a CLAP host loads a preset the plug-in listed.
inline bool loadPreset(const ClapHostedPlugin& clap, int program) {
    const auto* presets = clap.extension<clap_plugin_preset_load_t>(CLAP_EXT_PRESET_LOAD);
    const std::string key = std::to_string(program);
    return presets != nullptr && presets->from_location(&clap.plugin(), 1, nullptr, key.c_str());
}

// Frames (from the start of the input) at which a change is made, with the change.
using Changes = std::vector<ClapParamChange>;

// `input` through the CLAP plug-in in blocks cycling through `blocks`, every other block in place
// (the output buffer holding the input), each change as an event at its frame in its block.
inline StereoBuffer renderClap(ClapHostedPlugin& clap, const StereoBuffer& input,
                               const std::vector<std::uint32_t>& blocks,
                               const Changes& changes = {}) {
    StereoBuffer output(input.frames());
    std::size_t start = 0, next = 0, change = 0;
    while (start < input.frames()) {
        const auto length = static_cast<std::uint32_t>(
            std::min<std::size_t>(blocks[next++ % blocks.size()], input.frames() - start));
        Changes inBlock;
        for (; change < changes.size() && changes[change].frame < start + length; ++change) {
            ClapParamChange event = changes[change];
            event.frame -= static_cast<std::uint32_t>(start);
            inBlock.push_back(event);
        }
        float* out[2] = {output.left.data() + start, output.right.data() + start};
        if (next % 2 == 0) {
            std::copy_n(input.left.data() + start, length, out[0]);
            std::copy_n(input.right.data() + start, length, out[1]);
            clap.process(out, out, length, inBlock);
        } else {
            float* in[2] = {const_cast<float*>(input.left.data() + start),
                            const_cast<float*>(input.right.data() + start)};
            clap.process(in, out, length, inBlock);
        }
        start += length;
    }
    return output;
}

// The same through the VST 2 plug-in: blocks also end at every change, which is set between them
// as CLAP's rule says (held to 0..1, a value that is no number ignored).
inline StereoBuffer renderVst2(const HostedEffect& vst2, StereoBuffer input,
                               const std::vector<std::uint32_t>& blocks,
                               const Changes& changes = {}) {
    StereoBuffer output(input.frames());
    std::size_t start = 0, next = 0, change = 0;
    while (start < input.frames()) {
        for (; change < changes.size() && changes[change].frame <= start; ++change) {
            const ClapParamChange& c = changes[change];
            if (!std::isnan(c.value)) {
                vst2.set(static_cast<VstInt32>(c.id),
                         static_cast<float>(std::clamp(c.value, 0.0, 1.0)));
            }
        }
        std::size_t end =
            std::min<std::size_t>(start + blocks[next++ % blocks.size()], input.frames());
        if (change < changes.size()) end = std::min<std::size_t>(end, changes[change].frame);
        float* in[2] = {input.left.data() + start, input.right.data() + start};
        float* out[2] = {output.left.data() + start, output.right.data() + start};
        vst2.process(in, out, static_cast<VstInt32>(end - start));
        start = end;
    }
    return output;
}

// The first frame at which two renderings differ in any bit, or -1.
inline long firstDifference(const StereoBuffer& a, const StereoBuffer& b) {
    if (a.frames() != b.frames()) return 0;
    for (std::size_t i = 0; i < a.frames(); ++i) {
        if (std::bit_cast<std::uint32_t>(a.left[i]) != std::bit_cast<std::uint32_t>(b.left[i]) ||
            std::bit_cast<std::uint32_t>(a.right[i]) != std::bit_cast<std::uint32_t>(b.right[i])) {
            return static_cast<long>(i);
        }
    }
    return -1;
}
