#include "DirectHost.h"

#include "AEffect.h"

#include <dlfcn.h>

#include <algorithm>
#include <stdexcept>

namespace zvtest {

namespace {

VstIntPtr minimalHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

std::vector<float> processDirectly(const std::string& pluginPath, int sampleRate, int blockSize,
                                   const std::vector<float>& left, const std::vector<float>& right,
                                   std::size_t tailFrames, const DirectSettings& settings) {
    void* library = ::dlopen(pluginPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) throw std::runtime_error(::dlerror());
    using Main = AEffect* (*)(audioMasterCallback);
    const auto main = reinterpret_cast<Main>(::dlsym(library, "VSTPluginMain"));
    AEffect* effect = main != nullptr ? main(minimalHost) : nullptr;
    if (effect == nullptr) {
        ::dlclose(library);
        throw std::runtime_error("no effect from " + pluginPath);
    }
    const auto dispatch = [effect](VstInt32 opcode, VstIntPtr value = 0, float opt = 0.0f) {
        return effect->dispatcher(effect, opcode, 0, value, nullptr, opt);
    };
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, blockSize);
    if (settings.program >= 0) dispatch(effSetProgram, settings.program);
    for (const auto& [index, value] : settings.parameters) effect->setParameter(effect, index, value);
    dispatch(effMainsChanged, 1);

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
        effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(frames));
        for (std::size_t i = 0; i < frames; ++i) {
            output[2 * (start + i)] = outL[i];
            output[2 * (start + i) + 1] = outR[i];
        }
    }
    dispatch(effMainsChanged, 0);
    dispatch(effClose);
    ::dlclose(library);
    return output;
}

}  // namespace zvtest
