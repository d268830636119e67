// What both loaders, dlopen's and LoadLibrary's, check of the record the entry point gives.
#include "PluginLibrary.h"

AEffect* PluginLibrary::instantiateChecked(audioMasterCallback host) const {
    AEffect* effect = instantiate(host);
    if (effect == nullptr) {
        throw PluginLoadError("plug-in refused to start (VSTPluginMain returned no effect): " +
                              _path);
    }
    // Not a record we know how to drive: it is not called into, not even to close it.
    if (effect->magic != kEffectMagic) {
        throw PluginLoadError(
            "not a VST 2.4 plug-in (its effect record has the wrong magic number): " + _path);
    }
    return effect;
}
