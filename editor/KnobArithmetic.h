// The knob's arithmetic: angles in degrees with 0 to the right and growing counter-clockwise,
// 225 (lower left) the lowest step and -45 (lower right) the highest, 270 degrees of travel.
// The mix of single and double precision is what makes the steps fall where they do.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace knob {

constexpr float kLowestAngle = 225.0f;
constexpr float kHighestAngle = -45.0f;

// The step at `angle` (already within the travel) among `stepCount` steps.
inline std::int32_t indexForAngle(std::uint32_t stepCount, float angle) {
    const float turned = kLowestAngle - angle;
    return static_cast<std::int32_t>(static_cast<double>(stepCount - 1) * 0.003703703703703704 *
                                     static_cast<double>(turned));
}

// The angle that shows step `index` among `stepCount` steps.
inline float angleForIndex(std::uint32_t stepCount, std::int32_t index) {
    return static_cast<float>(225.0 + index * (-270.0 / (stepCount - 1)));
}

// The whole-degree rest angle from which a drag lands on step `index` (held within the travel)
// before the mouse moves: the middle of the step's span, so that a drag either way needs the same
// few points to reach the next step. A whole degree truncated from the step's own angle can lie
// in the span of the step below, and the first drag event would then report a step the knob
// never showed.
inline std::int32_t restAngleForIndex(std::uint32_t stepCount, std::int32_t index) {
    const auto last = static_cast<std::int32_t>(stepCount - 1);
    const std::int32_t step = index < 0 ? 0 : (index > last ? last : index);
    const double middle = 225.0 - 270.0 * (step + 0.5) / last;
    std::int32_t angle = static_cast<std::int32_t>(std::lround(middle));
    if (angle < -45) angle = -45;
    // Rounding can cross into a neighbour's span; step back into this one where it has a degree.
    while (angle < 225 && indexForAngle(stepCount, static_cast<float>(angle)) > step) ++angle;
    while (angle > -45 && indexForAngle(stepCount, static_cast<float>(angle)) < step) --angle;
    return angle;
}

// The frame picture that shows step `value`: trunc(value x 1.27), 0 to 127 for steps 0 to 100.
inline std::int64_t pictureForValue(std::int32_t value) {
    return static_cast<std::int64_t>(value * 1.27);
}

// A coordinate truncated toward zero to a 32-bit integer; kept in range so that no position,
// however far off, is undefined.
inline std::int32_t truncateToInt32(double coordinate) {
    if (std::isnan(coordinate)) return 0;
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (coordinate <= lowest) return std::numeric_limits<std::int32_t>::min();
    if (coordinate >= highest) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(coordinate);
}

}  // namespace knob
