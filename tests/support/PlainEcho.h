// The values that make the effect a plain echo: no filters, no feedback, no moving pan, the echoes
// at full level and both at the same weight. Whatever else a test sets, with these the echo of an
// impulse comes back unchanged one delay later.
#pragma once

#include <utility>

#include "ParameterTable.h"

inline constexpr std::pair<ParameterIndex, float> kPlainEcho[] = {
    {kFeedBack, 0.0f}, {kLowPass, 0.0f},  {kHighPass, 0.0f},
    {kPan, 0.5f},      {kPanWidth, 0.0f}, {kMix, 1.0f},
};
