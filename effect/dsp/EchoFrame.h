// One frame of the echo once its two echo samples have been read from the lines and filtered:
// the value each line gets back, and what each output hears. Every piece of the signal path (two
// lanes, four lanes, frame by frame) computes a frame through these, so the operations, their
// order and their precision are written once; the four-lane vector loops do the same operations
// lane by lane and keep to them.
#pragma once

#include <cstdint>

#include "SineTable.h"

// The levels a piece applies to each of its frames.
struct EchoLevels {
    float feedBack;      // gain of the echo written back into the line
    float gainL, gainR;  // balance: gainL scales the echo heard on the left output
    double panWidth;     // depth of the half-sine attenuation of one output's echo
    double mix;          // level of the echoes added to the dry signal
};

struct StereoFrame {
    float left, right;
};

// What goes back into a line: the echo at the feedback gain plus the dry input, in single
// precision.
inline float writtenBack(float feedBack, float echo, float dry) { return feedBack * echo + dry; }

// Where a slot sits along the delay length, as an index into the half-sine table. Needs
// 0 <= slot < delaySamples: then slot / delaySamples is below 1 − 1/192000, the product stays
// below kSize − 0.9, and no bound is needed.
inline std::int32_t sineIndexWithinLine(std::int32_t slot, std::int32_t delaySamples) {
    const double pos = static_cast<double>(slot) / static_cast<double>(delaySamples);
    return static_cast<std::int32_t>(pos * static_cast<double>(SineTable::kSize));
}

// The outputs of a frame. The echoes cross over (the left channel's echo is heard on the right),
// each at its balance gain in single precision; widened, at the mix level, they are added to the
// dry signal. One output's echo is lowered further by the half sine at `sine`, the table's value
// for the frame: the left one where leftAttenuated, else the right one.
inline StereoFrame frameOutputs(const EchoLevels& levels, StereoFrame echo, StereoFrame dry,
                                double sine, bool leftAttenuated) {
    const double eL = static_cast<double>(echo.right * levels.gainL);
    const double eR = static_cast<double>(echo.left * levels.gainR);
    const double m = levels.panWidth * sine;
    if (leftAttenuated) {
        return {static_cast<float>(eL * levels.mix * (1.0 - m) + dry.left),
                static_cast<float>(eR * levels.mix + dry.right)};
    }
    return {static_cast<float>(eL * levels.mix + dry.left),
            static_cast<float>(eR * levels.mix * (1.0 - m) + dry.right)};
}
