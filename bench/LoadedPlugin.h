// A VST 2.4 plug-in library opened with dlopen and driven only through its effect record, the
// way a host drives it. The benchmarks run ours and other plug-ins through this same path.
#pragma once

#include <string>
#include <vector>

#include "AEffect.h"

class LoadedPlugin {
public:
    // Opens the library once per object; throws std::runtime_error when it is not a plug-in.
    explicit LoadedPlugin(const std::string& path);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    // A new instance, opened and switched on at the rate and block size given.
    AEffect* start(float sampleRate, VstInt32 blockSize);
    // Switches off and closes an instance made by start().
    static void stop(AEffect* effect);

    static VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0,
                              VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    // The index of the parameter of that name, or -1.
    static VstInt32 parameterIndex(AEffect* effect, const std::string& name);
    // What the plug-in shows for a parameter: its display text and label.
    static std::string parameterText(AEffect* effect, VstInt32 index);
    // Sets a parameter by name; throws std::runtime_error for a name the plug-in does not have.
    static void set(AEffect* effect, const std::string& name, float value);

    // The sample rate and block size the host callback answers with.
    static void setHostRate(float sampleRate, VstInt32 blockSize);

private:
    void* library = nullptr;
    AEffect* (*pluginMain)(audioMasterCallback) = nullptr;
};

// One "NAME=VALUE" setting as zvhost takes it on its command line.
struct NamedSetting {
    std::string name;
    float value;
};

// The settings of a file with one NAME=VALUE per line; lines starting with # are comments.
std::vector<NamedSetting> readNamedSettings(const std::string& file);
