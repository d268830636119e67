#include "ValueText.h"

#include <cmath>
#include <cstdint>

namespace valuetext {

namespace {

constexpr const char* kHuge = "Huge!";
// The four decimal conversions always give this many characters before the cut.
constexpr int kFloatWidth = 8;
constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};

// The lowest decimal digit of a finite, non-negative number, truncated.
char lowestDigit(double x) { return static_cast<char>('0' + static_cast<int>(std::fmod(x, 10.0))); }

}  // namespace

void writeText(const char* source, char* text, std::int32_t maxLen) {
    if (text == nullptr) return;
    const std::int64_t limit = maxLen < 0 ? 0 : maxLen;
    std::int64_t pos = 0;
    if (source != nullptr) {
        for (; pos < limit && source[pos] != '\0'; ++pos) text[pos] = source[pos];
    }
    // Zeros from the terminator up to and including byte maxLen, so the host never sees stale
    // characters behind the text.
    for (; pos <= limit; ++pos) text[pos] = '\0';
}

void float2string(float value, char* text, std::int32_t maxLen) {
    // NaN passes neither range test and has no digits to take.
    if (std::isnan(value)) {
        writeText("NaN", text, maxLen);
        return;
    }
    double v = value;
    bool negative = false;
    // Characters always present: the point and the units digit, and the sign when negative.
    int count = 2;
    if (v < 0.0) {
        if (v < -9999999.0) {
            writeText(kHuge, text, maxLen);
            return;
        }
        negative = true;
        v = -v;
        count = 3;
    } else if (v > 99999999.0) {
        writeText(kHuge, text, maxLen);
        return;
    }

    // Integer digits, least significant first. Every integer digit is kept, even when that makes
    // the text longer than eight characters: the cut then drops the least significant ones
    // rather than the leading ones.
    char integerDigits[16];
    int integerCount = 0;
    double i = std::floor(v);
    integerDigits[integerCount++] = lowestDigit(i);
    for (;;) {
        i = i * 0.1;
        if (i < 1.0) break;
        integerDigits[integerCount++] = lowestDigit(i);
        ++count;
    }

    char full[32];
    int length = 0;
    if (negative) full[length++] = '-';
    while (integerCount > 0) full[length++] = integerDigits[--integerCount];
    full[length++] = '.';

    if (count < kFloatWidth) {
        const int fractionCount = kFloatWidth - count;
        double m = std::fmod(v, 1.0) * kPowersOfTen[fractionCount];
        // Rightmost digit first; once m is used up the remaining digits are zeros.
        for (int k = fractionCount - 1; k >= 0; --k) {
            if (m > 0.0) {
                full[length + k] = lowestDigit(m);
                m = m * 0.1;
            } else {
                full[length + k] = '0';
            }
        }
        length += fractionCount;
    }
    full[length] = '\0';
    writeText(full, text, maxLen);
}

void int2string(std::int32_t value, char* text, std::int32_t maxLen) {
    if (value >= 100000000) {
        writeText(kHuge, text, maxLen);
        return;
    }
    // Ten-digit negatives (the smallest value too) are as out of range as ten-digit positives.
    if (value < -999999999) {
        writeText(kHuge, text, maxLen);
        return;
    }

    char full[16];
    int length = 0;
    std::int32_t rest = value;
    if (value < 0) {
        full[length++] = '-';
        rest = -value;
    }
    static constexpr std::int32_t kDivisors[] = {100000000, 10000000, 1000000, 100000, 10000,
                                                 1000,      100,      10,      1};
    bool started = false;
    for (const std::int32_t divisor : kDivisors) {
        const std::int32_t digit = rest / divisor;
        rest %= divisor;
        // Leading zeros are dropped.
        if (digit > 0 || started) {
            full[length++] = static_cast<char>('0' + digit);
            started = true;
        }
    }
    // Zero has no digit above 0, but shows as "0", not as nothing.
    if (!started) full[length++] = '0';
    full[length] = '\0';
    writeText(full, text, maxLen);
}

float decibelsOf(float gain) {
    return static_cast<float>(20.0 * std::log10(static_cast<double>(gain)));
}

float hertzOf(float samples, float sampleRate) {
    return samples == 0.0f ? 0.0f : sampleRate / samples;
}

float millisecondsOf(float samples, float sampleRate) {
    return static_cast<float>(static_cast<double>(samples) * 1000.0 /
                              static_cast<double>(sampleRate));
}

void dB2string(float gain, char* text, std::int32_t maxLen) {
    if (gain <= 0.0f) {
        writeText("-oo", text, maxLen);
        return;
    }
    float2string(decibelsOf(gain), text, maxLen);
}

void Hz2string(float samples, float sampleRate, char* text, std::int32_t maxLen) {
    float2string(hertzOf(samples, sampleRate), text, maxLen);
}

void ms2string(float samples, float sampleRate, char* text, std::int32_t maxLen) {
    float2string(millisecondsOf(samples, sampleRate), text, maxLen);
}

}  // namespace valuetext
