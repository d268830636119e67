// Where zvhost finds the ZvDelay32 plug-in when no --plugin is given.
#pragma once

#include <string>
#include <vector>

namespace zvhost {

// The places looked at, in order: beside the zvhost executable (a build folder), the install
// folder chosen at build time, ../lib/vst beside the executable (a system install), then the
// folders Linux hosts search: ~/.vst, /usr/local/lib/vst, /usr/lib/vst.
std::vector<std::string> pluginCandidates();

// The first candidate that exists; throws HostError (plugin) listing the places tried.
std::string defaultPluginPath();

}  // namespace zvhost
