// The effect driven by port values rather than by calls: the host writes each control's value
// into memory it owns, and the effect looks at them once per block, applying to the core only
// what changed. Knows no plug-in format, so the LV2 face stays a thin shell of C callbacks over
// it.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "DelayCore.h"

class PortedDelay {
public:
    // Allocates the lines: call it outside the audio thread. The core takes the rate in single
    // precision, as VST 2 hosts hand it over.
    explicit PortedDelay(double sampleRate) : core(static_cast<float>(sampleRate)) {}

    // Before audio starts again after a pause: the lines are cleared.
    void activate() { core.resume(); }

    // The values of the control ports (null: not connected, left as it is). A value that differs
    // from the one applied last (bit for bit) is applied; a value written again unchanged is not,
    // so rewriting the delay does not clear the lines.
    void takeControls(const std::array<const float*, kNumParams>& controls);

    // Any number of frames; inputs and outputs may be the same buffers, or crossed.
    void process(const float* inL, const float* inR, float* outL, float* outR,
                 std::uint32_t frames);

private:
    DelayCore core;
    std::array<std::uint32_t, kNumParams> appliedBits{};
    std::bitset<kNumParams> applied;  // none at first: the first block applies every control
};
