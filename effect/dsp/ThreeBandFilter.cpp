#include "ThreeBandFilter.h"

#include <cmath>

namespace {
constexpr double kPi = 3.141592653589793;

// The one-pole coefficient 2·sin(π·f/rate). A split at or above half the rate (or a rate that
// is not positive) has no meaning and would make the stages grow without bound; there the
// stages simply follow their input, which is what a split above every frequency does.
double splitCoefficient(std::int32_t freq, std::int32_t rate) {
    if (rate <= 0) return 1.0;
    const double ratio = static_cast<double>(freq) / static_cast<double>(rate);
    if (ratio >= 0.5) return 1.0;
    return 2.0 * std::sin(ratio * kPi);
}
}  // namespace

void ThreeBandFilter::init(std::int32_t lowFreq, std::int32_t highFreq, std::int32_t sampleRate) {
    *this = ThreeBandFilter{};
    lowCoef = splitCoefficient(lowFreq, sampleRate);
    highCoef = splitCoefficient(highFreq, sampleRate);
}
