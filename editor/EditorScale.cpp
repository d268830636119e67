#include "EditorScale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace editor_scale {

std::optional<double> accepted(double factor) {
    if (!std::isfinite(factor) || factor <= 0.0) return std::nullopt;
    // Quarters keep the pictures' edges on whole pixels often enough, and beyond 2 the sharpest
    // pictures we have would be enlarged.
    const double quarters = std::round(factor * 4.0) / 4.0;
    return std::clamp(quarters, 1.0, 2.0);
}

std::optional<double> fromEnvironment() {
    const char* text = std::getenv("ZVDELAY32_SCALE");
    if (text == nullptr || *text == '\0') return std::nullopt;
    char* end = nullptr;
    const double factor = std::strtod(text, &end);
    if (end == text || *end != '\0') return std::nullopt;
    return accepted(factor);
}

double choose(std::optional<double> host, std::optional<double> user,
              std::optional<double> desktop) {
    for (const std::optional<double>& source : {host, user, desktop}) {
        if (!source) continue;
        if (const std::optional<double> factor = accepted(*source)) return *factor;
    }
    return 1.0;
}

int pixels(double points, double scale) { return static_cast<int>(std::lround(points * scale)); }

}  // namespace editor_scale
