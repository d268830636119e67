#include "ParameterReadout.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "EditorLayout.h"
#include "ParameterTable.h"
#include "ValueText.h"

namespace readout {

namespace {

// The host's display texts are at most 8 characters.
using DisplayText = std::array<char, 9>;

DisplayText fractionDisplay(float value) {
    DisplayText text{};
    valuetext::float2string(value, text.data(), 8);
    return text;
}

DisplayText wholeDisplay(std::int32_t value) {
    DisplayText text{};
    valuetext::int2string(value, text.data(), 8);
    return text;
}

// The number a display text shows; nothing for "Huge!" or "NaN".
std::optional<double> numberIn(const DisplayText& text) {
    const std::string_view shown(text.data());
    double number = 0.0;
    const auto [end, error] = std::from_chars(shown.data(), shown.data() + shown.size(), number);
    if (error != std::errc{} || end != shown.data() + shown.size()) return std::nullopt;
    return number;
}

// Fixed decimals, whatever the host's locale says the decimal point is.
std::string withDecimals(double number, int decimals) {
    std::array<char, 48> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), number,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) return "Huge!";
    std::string shown(text.data(), result.ptr);
    // A value rounded to nothing shows no sign.
    if (shown.front() == '-' && std::fabs(number) < 0.5 * std::pow(10.0, -decimals)) {
        shown.erase(0, 1);
    }
    return shown;
}

// What the host shows, unconverted, where it shows no number to convert.
std::string asTheHostShows(const DisplayText& text, const char* label) {
    return std::string(text.data()) + " " + label;
}

std::string percentage(float value, const char* label) {
    const DisplayText shown = fractionDisplay(value);
    const std::optional<double> fraction = numberIn(shown);
    if (!fraction) return asTheHostShows(shown, label);
    return withDecimals(*fraction * 100.0, 1) + "%";
}

// The balance: 0.5 keeps both echoes at full level, below it the right one is turned down (the
// sound leans left), above it the left one. How far it leans, 0 to 100.
std::string balance(float value, const char* label) {
    const DisplayText shown = fractionDisplay(value);
    const std::optional<double> fraction = numberIn(shown);
    if (!fraction) return asTheHostShows(shown, label);
    const double towardLeft = (0.5 - *fraction) * 200.0;
    const std::string amount = withDecimals(std::fabs(towardLeft), 1);
    if (amount == withDecimals(0.0, 1)) return "C";
    return (towardLeft > 0.0 ? "L " : "R ") + amount;
}

std::string delayTime(float value, std::optional<DelayLength> delay, const char* label) {
    if (!delay) {
        // Without the rate only the time is known, and that to well under a millisecond: the
        // line is one sample short of `value` seconds.
        if (!std::isfinite(value)) return asTheHostShows(fractionDisplay(value), label);
        return withDecimals(static_cast<double>(value) * 1000.0, 0) + " ms";
    }
    const DisplayText shown = wholeDisplay(delay->samples);
    const std::optional<double> samples = numberIn(shown);
    if (!samples || !(delay->sampleRate > 0.0f)) return asTheHostShows(shown, label);
    const double milliseconds = *samples * 1000.0 / static_cast<double>(delay->sampleRate);
    return withDecimals(milliseconds, 1) + " ms  " + shown.data() + " samples";
}

std::string filterPlace(float value) {
    // The host's display: 1 for on, 0 for off; on puts the filter inside the loop.
    const DisplayText shown = wholeDisplay(value != 0.0f ? 1 : 0);
    return std::string_view(shown.data()) == "1" ? "in loop" : "on echo";
}

std::string nameOf(ParameterIndex index) {
    for (const layout::Control& knob : layout::knobs) {
        if (knob.parameter == index) return std::string(knob.label);
    }
    // The switches are lettered "LOOP" alone; named here for the filter they place.
    return index == kLowPassType ? "LOW PASS FILTER" : "HIGH PASS FILTER";
}

}  // namespace

Readout readoutOf(int index, float value, std::optional<DelayLength> delay) {
    const ParameterRow* row = parameterRow(index);
    if (row == nullptr) return {};
    Readout shown{nameOf(row->index), {}};
    switch (row->index) {
        case kDelay:
            shown.value = delayTime(value, delay, row->label);
            break;
        case kLowPassType:
        case kHighPassType:
            shown.value = filterPlace(value);
            break;
        case kPan:
            shown.value = balance(value, row->label);
            break;
        case kFeedBack:
        case kLowPass:
        case kHighPass:
        case kPanDepth:
        case kMix:
        case kNumParams:
            shown.value = percentage(value, row->label);
            break;
    }
    return shown;
}

}  // namespace readout
