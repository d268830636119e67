// The Windows plug-in put together: the delay effect. It has no editor yet, so the host sees no
// editor flag and offers its own generic controls; a Windows editor comes in as the factory
// handed to the effect here.
#include "AudioEffect.h"
#include "DelayEffect.h"

AudioEffect* createEffect(audioMasterCallback audioMaster) {
    return new DelayEffect(audioMaster, nullptr);
}
