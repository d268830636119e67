#include "DelayEffect.h"

namespace {
constexpr VstInt32 kInputs = 2;
constexpr VstInt32 kOutputs = 2;
}  // namespace

DelayEffect::DelayEffect(audioMasterCallback host, EditorFactory makeEditor)
    : AudioEffectX(host, kNumPrograms, kNumParams),
      core(getSampleRate()),
      editorHost(*this, core, gestureRelay) {
    setNumInputs(kInputs);
    setNumOutputs(kOutputs);
    setUniqueID(fourCharacterCode('Z', 'v', 'D', '8'));
    // The editor registers with the effect as it is made; the effect owns it from here on.
    if (makeEditor != nullptr) setEditor(makeEditor(*this));
}

DelayEffect::~DelayEffect() = default;

void DelayEffect::resume() {
    core.resume();
    AudioEffectX::resume();
}

void DelayEffect::setSampleRate(float rate) {
    AudioEffectX::setSampleRate(rate);
    core.setSampleRate(rate);
}

void DelayEffect::setBlockSizeAndSampleRate(VstInt32 size, float rate) {
    AudioEffectX::setBlockSizeAndSampleRate(size, rate);
    core.setSampleRate(rate);
}

void DelayEffect::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    tellHostOfGestures();
    const auto channel = [](float** buffers, int index) -> float* {
        return buffers != nullptr ? buffers[index] : nullptr;
    };
    core.process(channel(inputs, 0), channel(inputs, 1), channel(outputs, 0), channel(outputs, 1),
                 sampleFrames);
}

void DelayEffect::setProgram(VstInt32 program) {
    core.selectProgram(program);
    AudioEffectX::setProgram(core.program());
}

void DelayEffect::getProgramName(char* name) {
    core.programName(core.program(), name, kVstMaxProgNameLen);
}

bool DelayEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    return core.programName(index, text, kVstMaxProgNameLen);
}

// The user's gestures the editor sent through the audio thread (see Vst2EditorHost), told to the
// host at the start of the block.
void DelayEffect::tellHostOfGestures() {
    struct Host {
        DelayEffect& effect;
        void beginEdit(int index) { effect.beginEdit(index); }
        void automate(int index, float value) {
            // The user's value went into the parameter at once, but the host had not heard of
            // the begin yet: a lane it plays back (Touch and Latch, until touched) has put its
            // own value back before this block. The wheel's next notch would then step from
            // that value, and one notch of the turn would be lost. The begin just told stops
            // the playback; the user's value is put back under it.
            if (effect.core.parameter(index) != value) effect.core.setParameter(index, value);
            effect.callHost(audioMasterAutomate, index, 0, nullptr, value);
        }
        void endEdit(int index) { effect.endEdit(index); }
    } host{*this};
    gestureRelay.deliver(host);
}
