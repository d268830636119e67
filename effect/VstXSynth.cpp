#include "VstXSynth.h"

#include <cmath>

#include "DenormalsFlushed.h"

namespace {
constexpr VstInt32 kInputs = 2;
constexpr VstInt32 kOutputs = 2;

// A host rate in whole hertz, truncated toward zero; values beyond 32 bits saturate.
VstInt32 wholeHertz(float rate) {
    if (rate >= 2147483648.0f) return INT32_MAX;
    if (rate <= -2147483648.0f) return INT32_MIN;
    return static_cast<VstInt32>(rate);
}
}  // namespace

VstXSynth::VstXSynth(audioMasterCallback host)
    : AudioEffectX(host, kNumPrograms, kNumParams),
      lastSampleRate(wholeHertz(getSampleRate())) {
    const FactoryProgram& initial = kFactoryPrograms[0];
    settings.delayTime.store(initial.delayTime);
    settings.feedBack.store(initial.feedBack);
    settings.lowPass.store(initial.lowPass);
    settings.highPass.store(initial.highPass);
    settings.lowPassType.store(initial.lowPassType);
    settings.highPassType.store(initial.highPassType);
    settings.pan.store(initial.pan);
    settings.panDepth.store(initial.panDepth);
    settings.mix.store(initial.mix);

    signalPath.setupFilters(lastSampleRate);
    for (int i = 0; i < kNumPrograms; ++i) programs[i].assign(kFactoryPrograms[i]);

    setProgram(0);
    setNumInputs(kInputs);
    setNumOutputs(kOutputs);
    setUniqueID(fourCharacterCode('Z', 'v', 'D', '8'));
    resume();
}

VstXSynth::~VstXSynth() = default;

void VstXSynth::resume() {
    signalPath.requestClear();
    AudioEffectX::resume();
}

void VstXSynth::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    const DenormalsFlushed flushed;

    // A new host rate is taken up at the start of a block. Rates are compared as whole numbers,
    // so a rate like 44100.5 does not rebuild (and silence) the echo at every block; the rate is
    // read once, so a change announced during the block is still seen at the next one.
    const float rate = getSampleRate();
    const bool rateKnown = !std::isnan(rate);
    if (rateKnown && wholeHertz(rate) != lastSampleRate) applySampleRateChange(rate);

    if (sampleFrames >= 1) {
        const bool buffersGiven = inputs != nullptr && outputs != nullptr &&
                                  inputs[0] != nullptr && inputs[1] != nullptr &&
                                  outputs[0] != nullptr && outputs[1] != nullptr;
        if (buffersGiven) {
            signalPath.process(settings, inputs[0], inputs[1], outputs[0], outputs[1],
                               sampleFrames);
        } else if (outputs != nullptr) {
            // A host that hands no input gets silence rather than whatever its buffers held.
            for (int channel = 0; channel < kOutputs; ++channel) {
                if (outputs[channel] == nullptr) continue;
                for (VstInt32 i = 0; i < sampleFrames; ++i) outputs[channel][i] = 0.0f;
            }
        }
    }

    if (rateKnown) lastSampleRate = wholeHertz(rate);
}

// Filters rebuilt for the new rate, the amounts re-applied (which also narrows them to single
// precision, as a program change would), the delay length recomputed and the lines cleared, so
// the first block at the new rate carries no echo from before.
void VstXSynth::applySampleRateChange(float rate) {
    signalPath.setupFilters(wholeHertz(rate));
    setParameter(kLowPass, static_cast<float>(settings.lowPass.load()));
    setParameter(kHighPass, static_cast<float>(settings.highPass.load()));

    const float delayTime = settings.delayTime.load();
    currentProgram().delayTime.store(delayTime, std::memory_order_relaxed);
    settings.delaySamples.store(SignalPath::delayLengthInSamples(rate, delayTime));
    signalPath.restartNow();
}

DelayProgram& VstXSynth::currentProgram() {
    // curProgram only ever holds a validated index; the bound keeps that true by construction.
    const auto index = static_cast<std::uint32_t>(curProgram.load(std::memory_order_relaxed));
    return programs[index < programs.size() ? index : 0];
}

void VstXSynth::forwardToEditor(VstInt32 index, float value) {
    if (editor != nullptr && editor->wantsParameterChanges() &&
        !settingFromEditor.load(std::memory_order_relaxed)) {
        editor->setParameter(index, value);
    }
}
