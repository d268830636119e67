// The program and parameter values asked for on the command line, matched against what the
// plug-in offers and applied through its record.
#pragma once

#include "PluginLoader.h"

#include <optional>
#include <string>
#include <vector>

namespace zvhost {

// As typed: a program number or name, "INDEX=VALUE" or "NAME=VALUE".
struct RequestedSettings {
    std::string program;  // empty: keep the plug-in's own
    std::vector<std::pair<std::string, float>> parameters;
};

// As the plug-in knows them.
struct ResolvedSettings {
    std::optional<VstInt32> program;
    std::vector<std::pair<VstInt32, float>> parameters;
};

// Throws HostError (usage) for a program or parameter the plug-in does not have.
VstInt32 findProgram(Plugin& plugin, const std::string& numberOrName);
VstInt32 findParameter(Plugin& plugin, const std::string& indexOrName);
ResolvedSettings resolve(Plugin& plugin, const RequestedSettings& requested);

// The program first, then each parameter in the order given.
void apply(Plugin& plugin, const ResolvedSettings& settings);

// A whole number made of digits only, or nothing.
std::optional<long> wholeNumber(const std::string& text);

}  // namespace zvhost
