// The knob's arithmetic: how far a drag turns it, which picture shows a step, and the mouse's
// positions made whole. The knob turns through 270 degrees from its lowest step (lower left) to
// its highest (lower right).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace knob {

// The steps a plain drag of `points` whole points turns the knob by (positive: up), among
// `stepCount` steps: one point is a degree of the 270, so a step every 2.7 points, counted to the
// nearest whole step. Counted on the distance alone, so the same distance up or down turns the
// knob by the same number of steps from the one it showed, and a first step either way takes two
// points.
inline std::int64_t stepsForDrag(std::uint32_t stepCount, std::int64_t points) {
    const std::int64_t distance = points < 0 ? -points : points;
    // distance x (stepCount - 1) / 270, rounded half up, in whole numbers.
    const std::int64_t steps = (distance * 2 * (stepCount - 1) + 270) / 540;
    return points < 0 ? -steps : steps;
}

// The frame picture that shows step `value`: trunc(value x 1.27), 0 to 127 for steps 0 to 100.
inline std::int64_t pictureForValue(std::int32_t value) {
    return static_cast<std::int64_t>(value * 1.27);
}

// A number truncated toward zero to a 32-bit integer; kept in range so that no position or
// distance, however far off, is undefined.
inline std::int32_t truncateToInt32(double coordinate) {
    if (std::isnan(coordinate)) return 0;
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (coordinate <= lowest) return std::numeric_limits<std::int32_t>::min();
    if (coordinate >= highest) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(coordinate);
}

// The whole points from `from` to `to` (positive: up), truncated toward zero, so the same either
// way. First rounded to a 256th of a point: positions made from pixels at a scale such as 1.25
// differ by a hair from the whole points between them, and ten points must not count as nine.
inline std::int32_t wholePointsBetween(double from, double to) {
    return truncateToInt32(std::round((to - from) * 256.0) / 256.0);
}

}  // namespace knob
