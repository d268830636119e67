#include "PluginLoader.h"

#include "HostCallback.h"
#include "HostError.h"

namespace zvhost {

Plugin::Plugin(const std::string& path) : _path(path) {
    try {
        if (Vst3Module::isVst3(path)) {
            _vst3 = std::make_unique<Vst3Record>(path);
            _instance = HostedEffect(_vst3->record());
        } else {
            _library = std::make_unique<PluginLibrary>(path);
            _instance = HostedEffect(_library->instantiateChecked(hostCallback));
        }
    } catch (const PluginLoadError& error) {
        throw HostError(ExitStatus::plugin, error.what());
    }
}

void Plugin::open(float sampleRate, VstInt32 blockSize) {
    hostState().sampleRate = sampleRate;
    hostState().blockSize = blockSize;
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
}

}  // namespace zvhost
