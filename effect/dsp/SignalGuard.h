// Values the effect writes into its lines and outputs stay finite. Settings the host may send
// (feedback near 1 with a filter in the loop, whose gain can exceed 1) let echoes grow without
// end, and one infinity or NaN would recirculate for ever and silence the host's whole mix.
#pragma once

#include <cmath>

// Anything within ±10000 passes untouched, so normal signals stay bit for bit the same.
inline float keepFinite(float x) {
    constexpr float kLimit = 10000.0f;
    if (std::fabs(x) <= kLimit) return x;
    if (x > 0.0f) return kLimit;
    if (x < 0.0f) return -kLimit;
    return 0.0f;  // NaN
}
