#include "DirectHost.h"

#include "HostCallback.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"

#include <algorithm>

namespace zvtest {

std::vector<float> processDirectly(const std::string& pluginPath, int sampleRate, int blockSize,
                                   const std::vector<float>& left, const std::vector<float>& right,
                                   std::size_t tailFrames, const DirectSettings& settings) {
    const PluginLibrary library(pluginPath);
    HostedEffect effect(library.instantiateChecked(quietHost));
    effect.call(effOpen);
    effect.call(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    effect.call(effSetBlockSize, 0, blockSize);
    if (settings.program >= 0) effect.call(effSetProgram, 0, settings.program);
    for (const auto& [index, value] : settings.parameters) effect.set(index, value);
    effect.call(effMainsChanged, 0, 1);

    const std::size_t total = left.size() + tailFrames;
    std::vector<float> output(total * 2);
    const auto block = static_cast<std::size_t>(blockSize);
    std::vector<float> inL(block), inR(block), outL(block), outR(block);
    float* inputs[] = {inL.data(), inR.data()};
    float* outputs[] = {outL.data(), outR.data()};
    for (std::size_t start = 0; start < total; start += block) {
        const std::size_t frames = std::min(block, total - start);
        for (std::size_t i = 0; i < frames; ++i) {
            inL[i] = start + i < left.size() ? left[start + i] : 0.0f;
            inR[i] = start + i < right.size() ? right[start + i] : 0.0f;
        }
        effect.process(inputs, outputs, static_cast<VstInt32>(frames));
        for (std::size_t i = 0; i < frames; ++i) {
            output[2 * (start + i)] = outL[i];
            output[2 * (start + i) + 1] = outR[i];
        }
    }
    effect.stop();
    return output;
}

}  // namespace zvtest
