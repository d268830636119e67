// What the benchmarks that load whole plug-ins share: an instance started as a host starts it,
// and settings given by parameter name, so that any plug-in can be set up from a file.
#pragma once

#include <string>
#include <vector>

#include "HostedEffect.h"
#include "PluginLibrary.h"

// One "NAME=VALUE" setting as zvhost takes it on its command line.
struct NamedSetting {
    std::string name;
    float value;
};

// The settings of a file with one NAME=VALUE per line; lines starting with # are comments.
std::vector<NamedSetting> readNamedSettings(const std::string& file);

// A new instance, opened and switched on at the rate and block size given, which the host
// callback also answers with. Throws when the plug-in gives no record that can process.
HostedEffect startInstance(const PluginLibrary& library, float sampleRate, VstInt32 blockSize);

// Sets each parameter by name; throws std::runtime_error for a name the plug-in does not have.
void applySettings(const HostedEffect& effect, const std::vector<NamedSetting>& settings);
