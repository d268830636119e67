// The nine values that make one setting of the echo, declared once, with the parameter index each
// is kept under. The effect's current settings, each program memory and each factory program are
// this one set, held in one of two ways: plainly (a factory program, fixed) or shared (a value any
// host thread may change while the audio thread reads it). Each keeps the precision of its type:
// the delay and the feedback in single precision, the amounts in double, the loop switches as on
// or off.
#pragma once

#include <atomic>

#include "ParameterTable.h"

// A value no other thread changes.
template <typename T>
using Plain = T;

// A value any host thread may change while the audio thread runs: an atomic used with relaxed
// order, on x86 the same plain loads and stores, without the data race.
template <typename T>
struct Shared {
    std::atomic<T> value{};
    T load() const { return value.load(std::memory_order_relaxed); }
    void store(T v) { value.store(v, std::memory_order_relaxed); }
};

template <template <typename> class Held>
struct EchoValues {
    Held<float> delayTime;      // fraction of (sample rate − 1) samples
    Held<float> feedBack;       // gain of the echo written back into the line
    Held<double> lowPass;       // how much the bands above 600 Hz are lowered
    Held<double> highPass;      // how much the band below 6000 Hz is lowered
    Held<bool> lowPassInLoop;   // the low-pass inside the feedback loop, or only on the echo
    Held<bool> highPassInLoop;  // the same for the high-pass
    Held<double> pan;           // echo balance: 0 left only, 1 right only, 0.5 both
    Held<double> panWidth;      // depth of the half-sine dip that moves the echoes
    Held<double> mix;           // level of the echoes added to the dry signal

    // Calls visit(index, field) for each parameter in index order, where field(values) is the
    // parameter's member in any set of values.
    template <typename Visit>
    static constexpr void forEachField(Visit&& visit) {
        visit(
            kDelay, [](auto& v) -> auto& { return v.delayTime; });
        visit(
            kFeedBack, [](auto& v) -> auto& { return v.feedBack; });
        visit(
            kLowPass, [](auto& v) -> auto& { return v.lowPass; });
        visit(
            kHighPass, [](auto& v) -> auto& { return v.highPass; });
        visit(
            kLowPassInLoop, [](auto& v) -> auto& { return v.lowPassInLoop; });
        visit(
            kHighPassInLoop, [](auto& v) -> auto& { return v.highPassInLoop; });
        visit(
            kPan, [](auto& v) -> auto& { return v.pan; });
        visit(
            kPanWidth, [](auto& v) -> auto& { return v.panWidth; });
        visit(
            kMix, [](auto& v) -> auto& { return v.mix; });
    }
};
