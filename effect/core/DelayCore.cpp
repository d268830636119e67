#include "DelayCore.h"

#include <bit>
#include <cmath>
#include <cstdint>

#include "DenormalsFlushed.h"
#include "ParameterFields.h"
#include "TextBuffer.h"
#include "WholeHertz.h"

DelayCore::DelayCore(float sampleRate)
    : hostRate(sampleRate), lastSampleRate(wholeHertz(sampleRate)) {
    signalPath.setupFilters(lastSampleRate);
    for (int i = 0; i < kNumPrograms; ++i) {
        ProgramMemory& memory = programs[static_cast<std::size_t>(i)];
        const FactoryProgram& factory = kFactoryPrograms[static_cast<std::size_t>(i)];
        parameter_fields::copy(memory.values, factory.values);
        copyTextEndingAtLimit(memory.name, factory.name, kProgramNameLength);
    }
    selectProgram(0);
    resume();
}

void DelayCore::setParameter(int index, float value) {
    parameter_fields::store(currentMemory().values, index, value);
    parameter_fields::store(settings, index, value);
    if (index == kDelay) {
        updateDelaySamples();
        signalPath.requestRestart();
    }
    toEditor.post(index, value);
}

float DelayCore::parameter(int index) const { return parameter_fields::load(settings, index); }

void DelayCore::setSampleRate(float rate) { hostRate.store(rate, std::memory_order_relaxed); }

void DelayCore::process(const float* inL, const float* inR, float* outL, float* outR,
                        std::int32_t frames) {
    const DenormalsFlushed flushed;

    // A new host rate is taken up at the start of a block. Rates are compared as whole numbers,
    // so a rate like 44100.5 does not rebuild (and silence) the echo at every block; the rate is
    // read once, so a change announced during the block is still seen at the next one.
    const float rate = sampleRate();
    const bool rateKnown = !std::isnan(rate);
    // A restart asked for is the same work at the same rate; it waits while the rate is unknown.
    // (Read first: the exchange, a locked instruction, is taken only when a restart is due.)
    const bool restart = rateKnown && restartRequested.load(std::memory_order_relaxed) &&
                         restartRequested.exchange(false, std::memory_order_relaxed);
    if (rateKnown && (restart || wholeHertz(rate) != lastSampleRate)) {
        takeUpRate(rate);
    } else if (rateKnown && delayLengthIsForAnotherRate(rate)) {
        // The Delay was set while the host announced a rate it took back before any audio ran
        // at it: the length follows the rate the audio runs at (the Delay change itself has
        // already asked for the lines to be cleared).
        updateDelaySamples();
    }

    if (frames >= 1) {
        if (inL != nullptr && inR != nullptr && outL != nullptr && outR != nullptr) {
            signalPath.process(settings, inL, inR, outL, outR, frames);
        } else {
            // A host that hands no input gets silence rather than whatever its buffers held.
            for (float* out : {outL, outR}) {
                if (out == nullptr) continue;
                for (std::int32_t i = 0; i < frames; ++i) out[i] = 0.0f;
            }
        }
    }

    if (rateKnown) lastSampleRate = wholeHertz(rate);
}

// Filters rebuilt for the new rate (their gains follow the amounts again from the next frame),
// the delay length recomputed and the lines cleared, so the first block at the new rate carries
// no echo from before. The two filter amounts are offered to the editor again, narrowed to single
// precision as a program change narrows them. They are not stored again: every amount in the
// settings and in the current program came through setParameter as a float, so narrowing changes
// nothing, and a store from here could undo a change another thread makes meanwhile, or, during a
// program change, put the old program's amount into the new program's memory.
void DelayCore::takeUpRate(float rate) {
    signalPath.setupFilters(wholeHertz(rate));
    toEditor.post(kLowPass, static_cast<float>(settings.lowPass.load()));
    toEditor.post(kHighPass, static_cast<float>(settings.highPass.load()));
    updateDelaySamples();
    signalPath.restartNow();
}

// The delay length follows two values that different threads change: the Delay parameter (any
// host thread) and the host's rate (taken up by the audio thread). Each recomputes the length
// after changing its value, and once more if the other value moved meanwhile, so the length
// stored last belongs to the rate and delay in force, never to one already replaced. The loop
// ends as soon as both values stay put for the few instructions between store and check.
void DelayCore::updateDelaySamples() {
    for (;;) {
        const float rate = sampleRate();
        const float delayTime = settings.delayTime.load();
        delayLengthRate.store(rate, std::memory_order_relaxed);
        settings.delaySamples.store(delayLengthInSamples(rate, delayTime));
        // The length must be visible to the other threads before the values are read again.
        std::atomic_thread_fence(std::memory_order_seq_cst);
        const bool rateKept =
            std::bit_cast<std::uint32_t>(rate) == std::bit_cast<std::uint32_t>(sampleRate());
        const bool delayKept = std::bit_cast<std::uint32_t>(delayTime) ==
                               std::bit_cast<std::uint32_t>(settings.delayTime.load());
        if (rateKept && delayKept) return;
    }
}

// Compared in whole hertz, as rate changes are: a fraction alone changes nothing.
bool DelayCore::delayLengthIsForAnotherRate(float rate) const {
    const float madeFor = delayLengthRate.load(std::memory_order_relaxed);
    return std::isnan(madeFor) || wholeHertz(madeFor) != wholeHertz(rate);
}

std::optional<DelayLength> DelayCore::delayLength() const {
    const float rate = delayLengthRate.load(std::memory_order_relaxed);
    if (!std::isfinite(rate) || !(rate > 0.0f)) return std::nullopt;
    return DelayLength{settings.delaySamples.load(), rate};
}
