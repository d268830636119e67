// The effect driven by port values rather than by calls: the host writes each control's value
// into memory it owns, and the effect looks at them once per block. Knows no plug-in format, so
// the LV2 face stays a thin shell of C callbacks over it.
//
// It gives the same samples as the VST 2 effect for the same values at the same rate: the values
// go through the same parameter fields, the delay length through the same formula with the rate
// narrowed to single precision as the VST 2 host hands it over, and the audio through the same
// signal path with subnormals flushed alike.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "EchoSettings.h"
#include "ParameterTable.h"
#include "SignalPath.h"

class PortedDelay {
public:
    // Allocates the lines: call it outside the audio thread.
    explicit PortedDelay(double sampleRate);

    // Before audio starts again after a pause: the lines are cleared, as resume clears them.
    void activate();

    // The values of the control ports (null: not connected, left as it is). A value that differs
    // from the one applied last (bit for bit) is applied as the VST 2 setParameter applies it; a
    // value written again unchanged is not, so rewriting the delay does not clear the lines.
    void takeControls(const std::array<const float*, kNumParams>& controls);

    // Any number of frames; inputs and outputs may be the same buffers, or crossed.
    void process(const float* inL, const float* inR, float* outL, float* outR,
                 std::uint32_t frames);

private:
    void apply(int index, float value);

    EchoSettings settings;
    SignalPath signalPath;
    const float rate;
    std::array<std::uint32_t, kNumParams> appliedBits{};
    std::bitset<kNumParams> applied;  // none at first: the first block applies every control
};
