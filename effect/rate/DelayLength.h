// The delay length the Delay parameter gives at the host's rate, as a host's display counts it.
#pragma once

#include <cstdint>

struct DelayLength {
    std::int32_t samples;
    float sampleRate;  // hertz
};
