#pragma once

// The knob frames: where each part of the knob sits in its 48-point square (centre at 24, 24)
// and which angle frame k shows. Angles are in degrees, counter-clockwise with y pointing up:
// the minimum at 225 (lower left), the maximum at -45 (lower right), 270 degrees clockwise apart.
namespace knob {

constexpr int frameCount = 128;
constexpr double size = 48.0;
constexpr double center = 24.0;
constexpr double minimumAngle = 225.0;
constexpr double travel = 270.0;

constexpr double tickInnerRadius = 21.4;
constexpr double tickOuterRadius = 23.3;
constexpr int tickCount = 11;
constexpr double arcRadius = 18.4;
constexpr double arcWidth = 2.6;
constexpr double bodyRadius = 14.6;
constexpr double capRadius = 11.4;
constexpr double pointerInnerRadius = 4.2;
constexpr double pointerOuterRadius = 10.2;

constexpr double frameAngle(int frame) { return minimumAngle - travel * frame / (frameCount - 1); }

}  // namespace knob
