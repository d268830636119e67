// A CLAP plug-in's presets and parameters as zvhost's command line names them, applied the way a
// CLAP host applies them: the preset through preset-load, values as events of a flush.
#pragma once

#include <string>
#include <vector>

#include "ClapHostedPlugin.h"
#include "ClapLibrary.h"
#include "Settings.h"

namespace zvhost {

struct ClapParameter {
    clap_id id;
    std::string name;
    double value;
};

// Throws HostError (plugin) for a file that is no CLAP library zvhost can load.
ClapLibrary openClap(const std::string& path);
std::vector<ClapParameter> clapParameters(const ClapHostedPlugin& plugin);
// Throws HostError (usage) for a preset or a parameter the plug-in does not have.
void applyClapSettings(const ClapLibrary& library, ClapHostedPlugin& plugin,
                       const RequestedSettings& settings);

}  // namespace zvhost
