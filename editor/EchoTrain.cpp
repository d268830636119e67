#include "EchoTrain.h"

#include <algorithm>
#include <cmath>

namespace echo_train {

namespace {

double clampedUnit(float value) {
    return std::isnan(value) ? 0.0 : std::clamp(static_cast<double>(value), 0.0, 1.0);
}

bool isOn(float value) { return value != 0.0f; }

// What one pass through a filter at `amount` leaves of what it shapes, as the picture shows it:
// enough to see a step between two repeats, never quite nothing.
double leftAfterOnePass(double amount) { return 1.0 - 0.35 * amount; }

// How much of a filter's mark repeat `number` carries: inside the loop every repeat has been
// through it once more; on the heard echo each has been through it once.
double filterMark(double amount, bool inLoop, int number) {
    if (!(amount > 0.0)) return 1.0;
    return std::pow(leftAfterOnePass(amount), inLoop ? number : 1);
}

}  // namespace

std::vector<Echo> echoesOf(const ParameterValues& values, double window, double quietest,
                           int most) {
    std::vector<Echo> echoes;
    const double delay = clampedUnit(values[kDelay]);
    const double mix = clampedUnit(values[kMix]);
    if (!(delay > 0.0) || !(mix > 0.0)) return echoes;
    const double feedBack = clampedUnit(values[kFeedBack]);
    const double pan = clampedUnit(values[kPan]);
    const double panWidth = clampedUnit(values[kPanWidth]);
    const double lowPass = clampedUnit(values[kLowPass]);
    const double highPass = clampedUnit(values[kHighPass]);

    // The balance turns one echo down: below the middle the right one, above it the left.
    const double leftGain = pan > 0.5 ? 2.0 * (1.0 - pan) : 1.0;
    const double rightGain = pan < 0.5 ? 2.0 * pan : 1.0;

    double level = mix;
    for (int number = 1; number <= most; ++number) {
        const double seconds = delay * number;
        if (seconds > window || level < quietest) break;
        // The pan dip lowers one side, and the side changes every time the line comes round:
        // shown at its deepest, on the right for odd repeats and on the left for even ones.
        const bool dipRight = number % 2 == 1;
        const double left = level * leftGain * (dipRight ? 1.0 : 1.0 - panWidth);
        const double right = level * rightGain * (dipRight ? 1.0 - panWidth : 1.0);
        echoes.push_back({seconds, left, right,
                          filterMark(lowPass, isOn(values[kLowPassInLoop]), number),
                          filterMark(highPass, isOn(values[kHighPassInLoop]), number)});
        level *= feedBack;
    }
    return echoes;
}

}  // namespace echo_train
