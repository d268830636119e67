#include "LoadedPlugin.h"

#include <dlfcn.h>

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {
float hostSampleRate = 48000.0f;
VstInt32 hostBlockSize = 512;

// Only what a plain host answers; everything else (time info, automation, windows) is declined.
VstIntPtr benchHost(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                    void* /*ptr*/, float /*opt*/) {
    switch (opcode) {
        case audioMasterVersion:
            return kVstVersion;
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(hostSampleRate);
        case audioMasterGetBlockSize:
            return hostBlockSize;
        case audioMasterWillReplaceOrAccumulate:
            return 1;
        default:
            return 0;
    }
}
}  // namespace

LoadedPlugin::LoadedPlugin(const std::string& path) {
    library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* reason = ::dlerror();
        throw std::runtime_error("cannot load " + path + ": " + (reason ? reason : "?"));
    }
    pluginMain = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(::dlsym(library, "VSTPluginMain"));
    if (pluginMain == nullptr) {
        ::dlclose(library);
        throw std::runtime_error(path + " has no VSTPluginMain");
    }
}

LoadedPlugin::~LoadedPlugin() { ::dlclose(library); }

void LoadedPlugin::setHostRate(float sampleRate, VstInt32 blockSize) {
    hostSampleRate = sampleRate;
    hostBlockSize = blockSize;
}

AEffect* LoadedPlugin::start(float sampleRate, VstInt32 blockSize) {
    setHostRate(sampleRate, blockSize);
    AEffect* effect = pluginMain(benchHost);
    if (effect == nullptr || effect->magic != kEffectMagic || effect->processReplacing == nullptr)
        throw std::runtime_error("the plug-in gave no usable effect record");
    dispatch(effect, effOpen);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effect, effSetBlockSize, 0, blockSize);
    dispatch(effect, effMainsChanged, 0, 1);
    return effect;
}

void LoadedPlugin::stop(AEffect* effect) {
    dispatch(effect, effMainsChanged, 0, 0);
    dispatch(effect, effClose);
}

VstIntPtr LoadedPlugin::dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                 void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

VstInt32 LoadedPlugin::parameterIndex(AEffect* effect, const std::string& name) {
    for (VstInt32 i = 0; i < effect->numParams; ++i) {
        char text[256] = {};
        dispatch(effect, effGetParamName, i, 0, text);
        if (name == text) return i;
    }
    return -1;
}

std::string LoadedPlugin::parameterText(AEffect* effect, VstInt32 index) {
    // Generous buffers: plug-ins do not all keep to the 8 characters of the record's convention.
    char display[256] = {};
    char label[256] = {};
    dispatch(effect, effGetParamDisplay, index, 0, display);
    dispatch(effect, effGetParamLabel, index, 0, label);
    std::string text = display;
    if (label[0] != '\0') text += std::string(" ") + label;
    return text;
}

void LoadedPlugin::set(AEffect* effect, const std::string& name, float value) {
    const VstInt32 index = parameterIndex(effect, name);
    if (index < 0) throw std::runtime_error("the plug-in has no parameter " + name);
    effect->setParameter(effect, index, value);
}

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
