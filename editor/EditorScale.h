// How many pixels to the point the editor is drawn at. The factor comes from the first of these
// that gives one: the host, the user (the ZVDELAY32_SCALE environment variable, for hosts that
// pass nothing), the desktop (Xft.dpi over 96), else 1. Whatever the source, a factor is rounded
// to the nearest quarter and held between 1 and 2; one that is not a positive finite number is
// passed over and the next source asked.
#pragma once

#include <optional>

namespace editor_scale {

// The factor as the editor takes it; nothing for one it passes over.
std::optional<double> accepted(double factor);
// The user's factor from ZVDELAY32_SCALE, if it is a number the editor takes.
std::optional<double> fromEnvironment();
// The first factor the editor takes, in the order host, user, desktop; 1 when none is.
double choose(std::optional<double> host, std::optional<double> user,
              std::optional<double> desktop);
// A length in points at `scale`, in whole pixels.
int pixels(double points, double scale);

}  // namespace editor_scale
