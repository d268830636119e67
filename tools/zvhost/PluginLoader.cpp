#include "PluginLoader.h"

#include "HostCallback.h"
#include "HostError.h"

namespace zvhost {

Plugin::Plugin(const std::string& path) try
    : _library(path), _instance(_library.instantiateChecked(hostCallback)) {
} catch (const PluginLoadError& error) {
    throw HostError(ExitStatus::plugin, error.what());
}

void Plugin::open(float sampleRate, VstInt32 blockSize) {
    hostState().sampleRate = sampleRate;
    hostState().blockSize = blockSize;
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
}

}  // namespace zvhost
