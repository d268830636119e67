// The effect's current settings, as the signal path reads them afresh for every frame. Any host
// thread may change them while the audio thread runs, so each is an atomic used with relaxed
// order: on x86 the same plain loads and stores, without the data race.
#pragma once

#include <atomic>
#include <cstdint>

struct EchoSettings {
    template <typename T>
    struct Setting {
        std::atomic<T> value;
        T load() const { return value.load(std::memory_order_relaxed); }
        void store(T v) { value.store(v, std::memory_order_relaxed); }
    };

    Setting<float> delayTime{};            // fraction of (sample rate − 1) samples
    Setting<float> feedBack{};             // gain of the echo written back into the line
    Setting<double> lowPass{};             // how much the bands above 600 Hz are lowered
    Setting<double> highPass{};            // how much the band below 6000 Hz is lowered
    Setting<bool> lowPassType{};           // low-pass inside the feedback loop, or only on the echo
    Setting<bool> highPassType{};          // the same for the high-pass
    Setting<double> pan{};                 // echo balance: 0 left only, 1 right only, 0.5 both
    Setting<double> panDepth{};            // depth of the half-sine attenuation of one echo
    Setting<double> mix{};                 // level of the echoes added to the dry signal
    Setting<std::int32_t> delaySamples{};  // delay length derived from delayTime and the rate
};
