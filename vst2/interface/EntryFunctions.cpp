// The six functions stored in the record: each finds the object behind the record and calls it.
// A record the host has already closed, or a null one, finds no object and does nothing.
#include "AudioEffect.h"

AudioEffect* AudioEffect::objectOf(AEffect* e) {
    return e != nullptr ? static_cast<AudioEffect*>(e->object) : nullptr;
}

VstIntPtr AudioEffect::dispatcherEntry(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                       void* ptr, float opt) noexcept {
    AudioEffect* effect = objectOf(e);
    if (effect == nullptr) return 0;
    const VstIntPtr result = effect->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete effect;
        return 1;
    }
    return result;
}

void AudioEffect::processEntry(AEffect* e, float** inputs, float** outputs,
                               VstInt32 sampleFrames) noexcept {
    if (AudioEffect* effect = objectOf(e)) effect->process(inputs, outputs, sampleFrames);
}

void AudioEffect::processReplacingEntry(AEffect* e, float** inputs, float** outputs,
                                        VstInt32 sampleFrames) noexcept {
    if (AudioEffect* effect = objectOf(e)) effect->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::processDoubleReplacingEntry(AEffect* e, double** inputs, double** outputs,
                                              VstInt32 sampleFrames) noexcept {
    if (AudioEffect* effect = objectOf(e)) {
        effect->processDoubleReplacing(inputs, outputs, sampleFrames);
    }
}

void AudioEffect::setParameterEntry(AEffect* e, VstInt32 index, float value) noexcept {
    if (AudioEffect* effect = objectOf(e)) effect->setParameter(index, value);
}

float AudioEffect::getParameterEntry(AEffect* e, VstInt32 index) noexcept {
    AudioEffect* effect = objectOf(e);
    return effect != nullptr ? effect->getParameter(index) : 0.0f;
}
