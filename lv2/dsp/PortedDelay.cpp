#include "PortedDelay.h"

#include <algorithm>
#include <bit>

void PortedDelay::takeControls(const std::array<const float*, kNumParams>& controls) {
    for (int index = 0; index < kNumParams; ++index) {
        const float* port = controls[static_cast<std::size_t>(index)];
        if (port == nullptr) continue;
        const float value = *port;
        const auto bits = std::bit_cast<std::uint32_t>(value);
        const auto slot = static_cast<std::size_t>(index);
        // Compared as bits: a NaN left on a port is not applied again at every block.
        if (applied[slot] && appliedBits[slot] == bits) continue;
        applied[slot] = true;
        appliedBits[slot] = bits;
        core.setParameter(index, value);
    }
}

void PortedDelay::process(const float* inL, const float* inR, float* outL, float* outR,
                          std::uint32_t frames) {
    // The core counts in 32 bits; a host's block is far shorter, but a count beyond that is
    // still worked through whole.
    constexpr std::uint32_t kLongest = 1u << 30;
    while (frames > 0) {
        const std::uint32_t now = std::min(frames, kLongest);
        core.process(inL, inR, outL, outR, static_cast<std::int32_t>(now));
        inL += now;
        inR += now;
        outL += now;
        outR += now;
        frames -= now;
    }
}
