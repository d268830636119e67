// Values the effect writes into its lines and outputs stay finite. Settings the host may send
// (feedback near 1 with a filter in the loop, whose gain can exceed 1) let echoes grow without
// end, and one infinity or NaN would recirculate for ever and silence the host's whole mix.
#pragma once

#include <emmintrin.h>

#include <cmath>
#include <cstdint>

constexpr float kSignalLimit = 10000.0f;

// Anything within ±10000 passes untouched, so normal signals stay bit for bit the same.
inline float keepFinite(float x) {
    if (std::fabs(x) <= kSignalLimit) return x;
    if (x > 0.0f) return kSignalLimit;
    if (x < 0.0f) return -kSignalLimit;
    return 0.0f;  // NaN
}

// True when every value lies within ±10000. Four at a time on the bit patterns: without the sign,
// a float's bits order like its magnitude, and infinities and NaNs lie above every number.
inline bool allWithinSignalLimit(const float* values, std::int32_t count) {
    const __m128i magnitude = _mm_set1_epi32(0x7fffffff);
    const __m128i limit = _mm_set1_epi32(0x461c4000);  // the bits of 10000.0f
    __m128i beyond = _mm_setzero_si128();
    std::int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i bits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values + i));
        beyond = _mm_or_si128(beyond, _mm_cmpgt_epi32(_mm_and_si128(bits, magnitude), limit));
    }
    if (_mm_movemask_epi8(beyond) != 0) return false;
    for (; i < count; ++i) {
        if (!(std::fabs(values[i]) <= kSignalLimit)) return false;
    }
    return true;
}

// The same guard over a run of values already written: checked at once, mended only if needed.
inline void keepFinite(float* values, std::int32_t count) {
    if (allWithinSignalLimit(values, count)) return;
    for (std::int32_t i = 0; i < count; ++i) values[i] = keepFinite(values[i]);
}
