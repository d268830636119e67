#include "ParameterReadout.h"

#include <array>
#include <charconv>
#include <cmath>

#include "EditorLayout.h"
#include "ParameterTable.h"

namespace readout {

namespace {

// Values no control sends but a host may: shown as such rather than as a number.
constexpr const char* kOutOfRange = "out of range";

// Fixed decimals, whatever the host's locale says the decimal point is.
std::string withDecimals(double number, int decimals) {
    std::array<char, 48> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), number,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) return kOutOfRange;
    std::string shown(text.data(), result.ptr);
    // A value rounded to nothing shows no sign.
    if (shown.front() == '-' && std::fabs(number) < 0.5 * std::pow(10.0, -decimals)) {
        shown.erase(0, 1);
    }
    return shown;
}

// The plain fraction as the host's display shows it: six decimals, the rest cut off. Nothing for
// a value the display cannot show as a number.
std::optional<double> asDisplayed(float value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1000.0f) return std::nullopt;
    return std::trunc(static_cast<double>(value) * 1e6) / 1e6;
}

std::string percentage(float value) {
    const std::optional<double> fraction = asDisplayed(value);
    if (!fraction) return kOutOfRange;
    return withDecimals(*fraction * 100.0, 1) + "%";
}

// The balance: 0.5 keeps both echoes at full level, below it the right one is turned down (the
// sound leans left), above it the left one. How far it leans, 0 to 100.
std::string balance(float value) {
    const std::optional<double> fraction = asDisplayed(value);
    if (!fraction) return kOutOfRange;
    const double towardLeft = (0.5 - *fraction) * 200.0;
    const std::string amount = withDecimals(std::fabs(towardLeft), 1);
    if (amount == withDecimals(0.0, 1)) return "C";
    return (towardLeft > 0.0 ? "L " : "R ") + amount;
}

std::string delayTime(float value, std::optional<DelayLength> delay) {
    if (!delay || !(delay->sampleRate > 0.0f)) {
        // Without the rate only the time is known, and that to well under a millisecond: the
        // line is one sample short of `value` seconds.
        if (!asDisplayed(value)) return kOutOfRange;
        return withDecimals(static_cast<double>(value) * 1000.0, 0) + " ms";
    }
    // The samples as the host's display counts them, and the time they take.
    const double milliseconds =
        static_cast<double>(delay->samples) * 1000.0 / static_cast<double>(delay->sampleRate);
    return withDecimals(milliseconds, 1) + " ms  " + std::to_string(delay->samples) + " samples";
}

// On (any value but 0, as the host's display shows 1) puts the filter inside the loop.
std::string filterPlace(float value) { return value != 0.0f ? "in loop" : "on echo"; }

std::string nameOf(ParameterIndex index) {
    for (const layout::Control& knob : layout::knobs) {
        if (knob.parameter == index) return std::string(knob.label);
    }
    // The switches are lettered "LOOP" alone; named here for the filter they place.
    return index == kLowPassInLoop ? "LOW PASS FILTER" : "HIGH PASS FILTER";
}

}  // namespace

Readout readoutOf(int index, float value, std::optional<DelayLength> delay) {
    const ParameterRow* row = parameterRow(index);
    if (row == nullptr) return {};
    Readout shown{nameOf(row->index), {}};
    switch (row->index) {
        case kDelay:
            shown.value = delayTime(value, delay);
            break;
        case kLowPassInLoop:
        case kHighPassInLoop:
            shown.value = filterPlace(value);
            break;
        case kPan:
            shown.value = balance(value);
            break;
        case kFeedBack:
        case kLowPass:
        case kHighPass:
        case kPanWidth:
        case kMix:
        case kNumParams:
            shown.value = percentage(value);
            break;
    }
    return shown;
}

}  // namespace readout
