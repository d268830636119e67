// The plug-in's one exported symbol.
#include <new>

#include "AudioEffect.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(
    audioMasterCallback audioMaster) {
    // Without a callback there is nobody to answer the version query: no instance.
    if (audioMaster == nullptr) return nullptr;
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    try {
        AudioEffect* effect = createEffect(audioMaster);
        return effect != nullptr ? effect->getAeffect() : nullptr;
    } catch (const std::bad_alloc&) {
        // Out of memory while building: the host gets the same null record as for a refusal,
        // rather than an exception thrown through its C call.
        return nullptr;
    }
}
