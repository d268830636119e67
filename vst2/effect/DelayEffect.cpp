#include "DelayEffect.h"

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>

#include "DenormalsFlushed.h"
#include "ParameterFields.h"
#include "WholeHertz.h"

namespace {
constexpr VstInt32 kInputs = 2;
constexpr VstInt32 kOutputs = 2;
}  // namespace

DelayEffect::DelayEffect(audioMasterCallback host, EditorFactory makeEditor)
    : AudioEffectX(host, kNumPrograms, kNumParams), lastSampleRate(wholeHertz(getSampleRate())) {
    parameter_fields::copy(settings, kFactoryPrograms[0]);

    signalPath.setupFilters(lastSampleRate);
    for (int i = 0; i < kNumPrograms; ++i) programs[i].assign(kFactoryPrograms[i]);

    setProgram(0);
    setNumInputs(kInputs);
    setNumOutputs(kOutputs);
    setUniqueID(fourCharacterCode('Z', 'v', 'D', '8'));
    resume();

    // The editor registers with the effect as it is made; the effect owns it from here on.
    if (makeEditor != nullptr) setEditor(makeEditor(*this));
}

DelayEffect::~DelayEffect() = default;

void DelayEffect::resume() {
    signalPath.requestClear();
    AudioEffectX::resume();
}

void DelayEffect::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    const DenormalsFlushed flushed;
    tellHostOfGestures();

    // A new host rate is taken up at the start of a block. Rates are compared as whole numbers,
    // so a rate like 44100.5 does not rebuild (and silence) the echo at every block; the rate is
    // read once, so a change announced during the block is still seen at the next one.
    const float rate = getSampleRate();
    const bool rateKnown = !std::isnan(rate);
    if (rateKnown && wholeHertz(rate) != lastSampleRate) {
        applySampleRateChange(rate);
    } else if (rateKnown && delayLengthIsForAnotherRate(rate)) {
        // The Delay was set while the host announced a rate it took back before any audio ran
        // at it: the length follows the rate the audio runs at (the Delay change itself has
        // already asked for the lines to be cleared).
        updateDelaySamples();
    }

    if (sampleFrames >= 1) {
        const bool buffersGiven = inputs != nullptr && outputs != nullptr && inputs[0] != nullptr &&
                                  inputs[1] != nullptr && outputs[0] != nullptr &&
                                  outputs[1] != nullptr;
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

// Filters rebuilt for the new rate (their gains follow the amounts again from the next frame),
// the delay length recomputed and the lines cleared, so the first block at the new rate carries
// no echo from before. The two filter amounts are offered to an open editor again, narrowed to
// single precision as a program change narrows them. They are not stored again: every amount in
// the settings and in the current program came through setParameter as a float, so narrowing
// changes nothing, and a store from here could undo a change another thread makes meanwhile,
// or, during a program change, put the old program's amount into the new program's memory.
void DelayEffect::applySampleRateChange(float rate) {
    signalPath.setupFilters(wholeHertz(rate));
    forwardToEditor(kLowPass, static_cast<float>(settings.lowPass.load()));
    forwardToEditor(kHighPass, static_cast<float>(settings.highPass.load()));
    updateDelaySamples();
    signalPath.restartNow();
}

// The delay length follows two values that different threads change: the Delay parameter (any
// host thread) and the host's rate (taken up by the audio thread). Each recomputes the length
// after changing its value, and once more if the other value moved meanwhile, so the length
// stored last belongs to the rate and delay in force, never to one already replaced. The loop
// ends as soon as both values stay put for the few instructions between store and check.
void DelayEffect::updateDelaySamples() {
    for (;;) {
        const float rate = getSampleRate();
        const float delayTime = settings.delayTime.load();
        delayLengthRate.store(rate, std::memory_order_relaxed);
        settings.delaySamples.store(SignalPath::delayLengthInSamples(rate, delayTime));
        // The length must be visible to the other threads before the values are read again.
        std::atomic_thread_fence(std::memory_order_seq_cst);
        const bool rateKept =
            std::bit_cast<std::uint32_t>(rate) == std::bit_cast<std::uint32_t>(getSampleRate());
        const bool delayKept = std::bit_cast<std::uint32_t>(delayTime) ==
                               std::bit_cast<std::uint32_t>(settings.delayTime.load());
        if (rateKept && delayKept) return;
    }
}

// Compared in whole hertz, as rate changes are: a fraction alone changes nothing.
bool DelayEffect::delayLengthIsForAnotherRate(float rate) const {
    const float madeFor = delayLengthRate.load(std::memory_order_relaxed);
    return std::isnan(madeFor) || wholeHertz(madeFor) != wholeHertz(rate);
}

DelayProgram& DelayEffect::currentProgram() {
    // curProgram only ever holds a validated index; the bound keeps that true by construction.
    const auto index = static_cast<std::uint32_t>(curProgram.load(std::memory_order_relaxed));
    return programs[index < programs.size() ? index : 0];
}

// The length as the host's display shows it, with the rate it was worked out for: after a new
// host rate, the length follows at the next block.
std::optional<DelayLength> DelayEffect::delayLength() {
    const float rate = delayLengthRate.load(std::memory_order_relaxed);
    if (!std::isfinite(rate) || !(rate > 0.0f)) return std::nullopt;
    return DelayLength{settings.delaySamples.load(), rate};
}

float DelayEffect::factoryValue(int index) {
    const auto program = static_cast<std::uint32_t>(curProgram.load(std::memory_order_relaxed));
    return parameter_fields::load(kFactoryPrograms[program < kFactoryPrograms.size() ? program : 0],
                                  index);
}

void DelayEffect::forwardToEditor(VstInt32 index, float value) {
    const bool fromEditor =
        settingFromEditor.load(std::memory_order_relaxed) == std::this_thread::get_id();
    if (editor != nullptr && editor->wantsParameterChanges() && !fromEditor) {
        editor->setParameter(index, value);
    }
}
