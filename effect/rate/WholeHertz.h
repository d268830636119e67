// The host's rate as the filters take it: whole hertz, truncated toward zero, saturating beyond
// 32 bits. Every plug-in format rounds the rate the same way, so the same rate gives the same
// filters and the same samples whichever format carries the effect.
#pragma once

#include <cstdint>

inline std::int32_t wholeHertz(float rate) {
    if (rate >= 2147483648.0f) return INT32_MAX;
    if (rate <= -2147483648.0f) return INT32_MIN;
    return static_cast<std::int32_t>(rate);
}
