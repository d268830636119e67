#include "PluginHosting.h"

#include <fstream>
#include <stdexcept>

#include "HostCallback.h"

std::vector<NamedSetting> readNamedSettings(const std::string& file) {
    std::vector<NamedSetting> settings;
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file);
    std::string line;
    while (std::getline(in, line)) {
        const auto equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
        settings.push_back({line.substr(0, equals), std::stof(line.substr(equals + 1))});
    }
    return settings;
}

HostedEffect startInstance(const PluginLibrary& library, float sampleRate, VstInt32 blockSize) {
    hostState().sampleRate = sampleRate;
    hostState().blockSize = blockSize;
    HostedEffect effect(library.instantiateChecked(hostCallback));
    if (effect.record()->processReplacing == nullptr) {
        throw std::runtime_error("the plug-in gave no usable effect record");
    }
    effect.start(sampleRate, blockSize);
    return effect;
}

void applySettings(const HostedEffect& effect, const std::vector<NamedSetting>& settings) {
    for (const NamedSetting& setting : settings) {
        const VstInt32 index = effect.parameterIndex(setting.name);
        if (index < 0) throw std::runtime_error("the plug-in has no parameter " + setting.name);
        effect.set(index, setting.value);
    }
}
