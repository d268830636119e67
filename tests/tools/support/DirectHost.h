// The plug-in driven straight through its record, without zvhost: the reference that zvhost's
// renders are checked against.
#pragma once

#include <string>
#include <vector>

namespace zvtest {

struct DirectSettings {
    int program = -1;  // -1: keep the plug-in's own
    std::vector<std::pair<int, float>> parameters;
};

// Loads the .so, opens the effect at `sampleRate`, applies the settings, switches it on, runs
// `left`/`right` followed by `tailFrames` of silence in blocks of `blockSize`, and closes it.
// Returns the output interleaved.
std::vector<float> processDirectly(const std::string& pluginPath, int sampleRate, int blockSize,
                                   const std::vector<float>& left, const std::vector<float>& right,
                                   std::size_t tailFrames, const DirectSettings& settings);

}  // namespace zvtest
