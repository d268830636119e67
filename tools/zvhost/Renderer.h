// Runs audio through a plug-in in the order every host uses: open, sample rate, block size,
// program and parameters, switch on, blocks of processReplacing, switch off, close.
#pragma once

#include "AudioFile.h"
#include "PluginLoader.h"
#include "Settings.h"

#include <functional>

namespace zvhost {

struct RenderOptions {
    VstInt32 blockSize = 512;
    double tailSeconds = 2.0;  // silence run after the input, so the echoes ring out
};

// Called after each block with the fraction of the work done.
using ProgressReport = std::function<void(double)>;

// Renders at the input's sample rate and closes the plug-in instance when done. The result is the
// input's length plus the tail. Throws HostError (plugin) for a plug-in that cannot process.
Audio render(Plugin& plugin, const Audio& input, const ResolvedSettings& settings,
             const RenderOptions& options, const ProgressReport& progress = {});

}  // namespace zvhost
