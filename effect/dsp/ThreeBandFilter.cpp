#include "ThreeBandFilter.h"

#include <cmath>

namespace {
constexpr double kPi = 3.141592653589793;

// The one-pole coefficient 2·sin(π·f/rate), dividing first, so that every rate where it
// works gives the same samples to the last bit. Each stage moves by c·(input − state), which
// stays bounded only for 0 < c < 2. Elsewhere (c ≤ 0, as for a split above the rate itself;
// c = 2, a split at exactly half the rate, where an impulse grows without bound; no number at
// all) the stages simply follow their input, as a split above every frequency would.
double splitCoefficient(std::int32_t freq, std::int32_t rate) {
    if (rate == 0) return 1.0;  // no rate at all: the division would give no number
    const double c = 2.0 * std::sin((static_cast<double>(freq) / static_cast<double>(rate)) * kPi);
    if (!(c > 0.0 && c < 2.0)) return 1.0;  // also catches NaN
    return c;
}
}  // namespace

void ThreeBandFilter::init(std::int32_t lowFreq, std::int32_t highFreq, std::int32_t sampleRate) {
    *this = ThreeBandFilter{};
    lowCoef = splitCoefficient(lowFreq, sampleRate);
    highCoef = splitCoefficient(highFreq, sampleRate);
}
