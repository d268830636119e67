// What the strictest hosts check in every sample they receive: no NaN, no infinity and no
// subnormal number (which costs some processors a hundred times the time of a normal one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Works on the bits, so a build that flushes subnormals cannot hide one from the check.
inline bool isUsableSample(float x) {
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const std::uint32_t exponent = bits & 0x7F800000u;
    const std::uint32_t mantissa = bits & 0x007FFFFFu;
    if (exponent == 0x7F800000u) return false;  // infinity or NaN
    return exponent != 0 || mantissa == 0;      // subnormal unless zero
}

// How many samples of the block a validating host would reject.
inline std::size_t countUnusableSamples(const float* samples, std::size_t count) {
    std::size_t bad = 0;
    for (std::size_t i = 0; i < count; ++i) bad += isUsableSample(samples[i]) ? 0 : 1;
    return bad;
}
