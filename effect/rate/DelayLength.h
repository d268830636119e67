// The delay length in samples for a delay time at a host rate, shared by the signal path (how far
// back the lines read) and every text that shows it, so the two always agree. Host-free and
// library-free: an editor may show it without linking the signal path.
#pragma once

#include <cmath>
#include <cstdint>

// One second at the highest rate: the longest delay a line holds.
inline constexpr std::int32_t kLongestDelayInSamples = 192000;

// The delay length in samples for a delay time: (rate − 1) × value in single precision, truncated
// toward zero, and never longer than the lines (high rates or values above 1 would index past
// them). Not-a-number gives 0; negative lengths are kept and act like 0.
inline std::int32_t delayLengthInSamples(float sampleRate, float delayTime) {
    // Single precision on purpose: the same sum in double is one sample off for many values.
    const float samples = (sampleRate + -1.0f) * delayTime;
    if (std::isnan(samples)) return 0;
    if (samples >= static_cast<float>(kLongestDelayInSamples)) return kLongestDelayInSamples;
    if (samples <= -2147483648.0f) return INT32_MIN;
    return static_cast<std::int32_t>(samples);
}

// The delay length the Delay parameter gives at the host's rate, as a host's display counts it.
struct DelayLength {
    std::int32_t samples;
    float sampleRate;  // hertz
};
