// What a plug-in says about itself, read through the dispatcher.
#pragma once

#include "PluginLoader.h"

#include <string>
#include <vector>

namespace zvhost {

struct ParameterInfo {
    VstInt32 index = 0;
    std::string name;
    std::string label;
    std::string display;
    float value = 0.0f;
};

std::string effectName(Plugin& plugin);
std::string vendorString(Plugin& plugin);
std::string productString(Plugin& plugin);
VstIntPtr vendorVersion(Plugin& plugin);
VstIntPtr category(Plugin& plugin);

std::vector<ParameterInfo> parameters(Plugin& plugin);
ParameterInfo parameter(Plugin& plugin, VstInt32 index);

// Every program's name. Plug-ins that cannot name a program by index are asked by selecting each
// program in turn; the current program is selected again afterwards.
std::vector<std::string> programNames(Plugin& plugin);

// "ZvD8" for an identifier made of four printable characters, else the number in hexadecimal.
std::string fourCharacters(VstInt32 identifier);

// "effect", "synth", ... for the VST 2.4 plug-in categories.
std::string categoryName(VstIntPtr category);

}  // namespace zvhost
