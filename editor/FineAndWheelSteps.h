// The knob's other moves besides the plain drag, in whole steps: the mouse wheel, and a drag with
// Shift held for fine adjustment. Both stay within the drag's range (0 to 99: step 99 already
// sends 1.0), and a knob resting at 100 (a parameter at 1.0) counts as resting at 99.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace knob_steps {

constexpr std::int32_t kLastStep = 99;

// A fine drag moves one step per this many points. The plain drag moves a step every 2.7
// points, too little to stop on a chosen step where a mouse reports a few points at a time;
// eight points is a step every mouse stops on at will, and the whole travel (792 points, about
// two screen heights at the editor's size) still fits in a couple of strokes.
constexpr double kFinePointsPerStep = 8.0;

inline std::int32_t withinTravel(std::int64_t step) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(step, 0, kLastStep));
}

// The step `notches` wheel notches away from `step` (positive: toward the highest).
inline std::int32_t afterWheel(std::int32_t step, std::int32_t notches) {
    return withinTravel(std::int64_t{withinTravel(step)} + notches);
}

// The step of a fine drag that started at `anchorStep` with the mouse at `anchorY` and has the
// mouse at `y` now (points, y upward: up turns the knob up). Whole steps only, counted toward the
// anchor, so a hand that wavers by less than a step changes nothing.
inline std::int32_t afterFineDrag(std::int32_t anchorStep, double anchorY, double y) {
    const double moved = (y - anchorY) / kFinePointsPerStep;
    if (!std::isfinite(moved)) return withinTravel(anchorStep);
    const double whole = std::trunc(std::clamp(moved, -1000.0, 1000.0));
    return withinTravel(std::int64_t{withinTravel(anchorStep)} + static_cast<std::int64_t>(whole));
}

}  // namespace knob_steps
