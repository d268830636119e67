// The parameters' display texts, and the values typed texts stand for.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "DelayCore.h"
#include "ValueText.h"

namespace {

// A decimal number, with spaces around it allowed; read the same whatever the host's locale.
std::optional<double> numberIn(const char* text) {
    if (text == nullptr) return std::nullopt;
    const char* begin = text;
    const char* end = text + std::strlen(text);
    while (begin < end && *begin == ' ') ++begin;
    while (end > begin && end[-1] == ' ') --end;
    if (begin < end && *begin == '+') ++begin;
    double number = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (error != std::errc{} || stop != end || !std::isfinite(number)) return std::nullopt;
    return number;
}

}  // namespace

void DelayCore::displayText(int index, char* text, std::int32_t maxLength) const {
    const ParameterRow* row = parameterRow(index);
    if (row == nullptr || text == nullptr) return;
    if (row->display == DisplayRule::DelayInSamples) {
        // The length the lines run, worked out when the delay or the rate last changed.
        valuetext::int2string(settings.delaySamples.load(), text, maxLength);
    } else {
        displayTextOf(index, parameter(index), text, maxLength);
    }
}

void DelayCore::displayTextOf(int index, float value, char* text, std::int32_t maxLength) const {
    const ParameterRow* row = parameterRow(index);
    if (row == nullptr || text == nullptr) return;
    switch (row->display) {
        case DisplayRule::DelayInSamples:
            valuetext::int2string(delayLengthInSamples(sampleRate(), value), text, maxLength);
            break;
        case DisplayRule::Fraction:
            valuetext::float2string(value, text, maxLength);
            break;
        case DisplayRule::Switch:
            valuetext::int2string(value != 0.0f ? 1 : 0, text, maxLength);
            break;
    }
}

std::optional<float> DelayCore::valueOfText(int index, const char* text) const {
    const ParameterRow* row = parameterRow(index);
    const std::optional<double> number = numberIn(text);
    if (row == nullptr || !number) return std::nullopt;
    switch (row->display) {
        case DisplayRule::DelayInSamples: {
            const float rate = sampleRate();
            if (!(rate > 1.0f) || !std::isfinite(rate)) return std::nullopt;
            const double samples = std::clamp(std::floor(*number), 0.0, double{rate - 1.0f});
            float value = std::clamp(static_cast<float>(samples / (rate + -1.0f)), 0.0f, 1.0f);
            // The length is truncated from the value in single precision: the smallest value
            // that gives the samples typed, so that the text shown afterwards is the one typed.
            while (value < 1.0f && delayLengthInSamples(rate, value) < samples) {
                value = std::nextafter(value, 2.0f);
            }
            return value;
        }
        case DisplayRule::Fraction: {
            const double wanted = std::clamp(*number, 0.0, 1.0);
            // The display truncates: the nearest float below the number typed would show one
            // digit less, so the value is the float at or just above it.
            float value = static_cast<float>(wanted);
            if (static_cast<double>(value) < wanted) value = std::nextafter(value, 2.0f);
            return value;
        }
        case DisplayRule::Switch:
            return *number != 0.0 ? 1.0f : 0.0f;
    }
    return std::nullopt;
}
