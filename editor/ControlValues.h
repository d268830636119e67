// How the editor's controls and the effect's parameters map onto each other. A knob shows a step
// from 0 to 99 (100 for a parameter at 1.0); a switch shows a state, 0 off and anything else on.
// The mix of single and double precision decides where a value falls between two steps.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "KnobArithmetic.h"

namespace control_values {

// The step a knob shows for a parameter value: the nearest one, however and whenever the value
// arrives (at the editor's opening, from the host, from a session or a program). Truncating
// instead showed 0.15, stored as 0.149999991, one step low, so the first step of a drag sent the
// value already there; and a product formed once in double and once in single precision showed
// the same value on two different steps.
inline std::int32_t knobStepFor(float value) {
    return knob::truncateToInt32(std::floor(static_cast<double>(value) * 100.0 + 0.5));
}

// The value a knob's step sends to the effect: the last step of the drag range sends exactly 1.0,
// so the top of every parameter is reachable; a step of 100 sends 1.0 as well.
inline float valueOfKnobStep(std::int32_t step) {
    const std::int32_t n = step == 99 ? 100 : step;
    return static_cast<float>(n) * 0.01f;
}

// The state a switch shows for a parameter value: the value truncated toward zero (0.5 shows off),
// held within the state's signed 8-bit range, NaN off.
inline std::int8_t switchStateFor(float value) {
    if (std::isnan(value)) return 0;
    const float whole = std::trunc(value);
    if (whole >= static_cast<float>(std::numeric_limits<std::int8_t>::max())) {
        return std::numeric_limits<std::int8_t>::max();
    }
    if (whole <= static_cast<float>(std::numeric_limits<std::int8_t>::min())) {
        return std::numeric_limits<std::int8_t>::min();
    }
    return static_cast<std::int8_t>(whole);
}

// The value a switch's state sends to the effect.
inline float valueOfSwitchState(int state) { return static_cast<float>(state); }

}  // namespace control_values
