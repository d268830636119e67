#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "AudioEffectX.h"
#include "ValueText.h"

namespace {

constexpr char kUntouched = '#';
constexpr int kBufferBytes = 48;

// Runs a conversion on a buffer filled with a marker and checks the buffer rule: the text, then
// zeros up to and including byte maxLen, then nothing touched. Returns the text.
template <typename Convert>
std::string convertChecked(VstInt32 maxLen, Convert convert) {
    char buffer[kBufferBytes];
    std::memset(buffer, kUntouched, sizeof(buffer));
    convert(buffer, maxLen);
    const int last = maxLen < 0 ? 0 : maxLen;
    const std::size_t length = strnlen(buffer, sizeof(buffer));
    EXPECT_LE(length, static_cast<std::size_t>(last)) << "text longer than maxLen";
    for (int k = static_cast<int>(length); k <= last; ++k) {
        EXPECT_EQ(buffer[k], '\0') << "byte " << k << " after the text is not zero";
    }
    for (int k = last + 1; k < kBufferBytes; ++k) {
        EXPECT_EQ(buffer[k], kUntouched) << "byte " << k << " beyond maxLen was written";
    }
    return std::string(buffer, std::min(length, static_cast<std::size_t>(last)));
}

std::string floatText(float value, VstInt32 maxLen = 8) {
    return convertChecked(maxLen,
                          [&](char* t, VstInt32 n) { valuetext::float2string(value, t, n); });
}

std::string intText(VstInt32 value, VstInt32 maxLen = 8) {
    return convertChecked(maxLen, [&](char* t, VstInt32 n) { valuetext::int2string(value, t, n); });
}

struct FloatCase {
    float value;
    const char* text;
};

struct IntCase {
    VstInt32 value;
    VstInt32 maxLen;
    const char* text;
};

// An effect whose formatter and sample rate can be replaced, to see which ones the unit
// conversions use.
class ConvertingEffect : public AudioEffectX {
public:
    ConvertingEffect() : AudioEffectX(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}

    void float2string(float value, char* text, VstInt32 maxLen) override {
        if (!recordFormatting) {
            AudioEffectX::float2string(value, text, maxLen);
            return;
        }
        formatted.push_back(value);
        valuetext::writeText("F", text, maxLen);
    }
    float getSampleRate() override {
        return rateOverride > 0.0f ? rateOverride : AudioEffectX::getSampleRate();
    }

    bool recordFormatting = false;
    float rateOverride = 0.0f;
    std::vector<float> formatted;
};

}  // namespace

// ---- float2string ----

TEST(FloatToString, ListedValuesGiveTheirEightCharacterTexts) {
    const FloatCase cases[] = {
        {0.0f, "0.000000"},         {1.5f, "1.500000"},       {-1.5f, "-1.50000"},
        {65.5f, "65.50000"},        {1234567.0f, "1234567."}, {-999999.0f, "-999999."},
        {0.7f, "0.699999"},         {3.14159f, "3.141590"},   {-0.25f, "-0.25000"},
        {0.000000001f, "0.000000"}, {123.456f, "123.4560"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(floatText(c.value), c.text);
        EXPECT_EQ(floatText(c.value, 20), c.text) << "more room must not lengthen the text";
    }
}

TEST(FloatToString, DigitsAreTruncatedNotRounded) {
    EXPECT_EQ(floatText(0.9999999f), "0.999999");
    EXPECT_EQ(floatText(-2.999999f), "-2.99999");
    // Single-precision arithmetic would round these up to 7.770000.
    EXPECT_EQ(floatText(7.77f), "7.769999");
}

TEST(FloatToString, ShortMaxLenCutsTheText) {
    EXPECT_EQ(floatText(123.456f, 5), "123.4");
    EXPECT_EQ(floatText(123.456f, 1), "1");
    EXPECT_EQ(floatText(123.456f, 0), "");
}

TEST(FloatToString, ValuesBeyondTheRangeAreHuge) {
    EXPECT_EQ(floatText(100000000.0f), "Huge!");
    EXPECT_EQ(floatText(-10000000.0f), "Huge!");
    EXPECT_EQ(floatText(std::numeric_limits<float>::infinity()), "Huge!");
    EXPECT_EQ(floatText(-std::numeric_limits<float>::infinity()), "Huge!");
    EXPECT_EQ(floatText(1.0e30f), "Huge!");
    EXPECT_EQ(floatText(100000000.0f, 3), "Hug");
}

TEST(FloatToString, TheRangeLimitsThemselvesAreShown) {
    EXPECT_EQ(floatText(-9999999.0f), "-9999999");
    EXPECT_EQ(floatText(-9999999.0f, 9), "-9999999.");
    // The largest float not above 99999999.
    EXPECT_EQ(floatText(99999992.0f, 9), "99999992.");
}

TEST(FloatToString, EightIntegerDigitsKeepTheirLeadingDigit) {
    EXPECT_EQ(floatText(12345678.0f), "12345678");
    EXPECT_EQ(floatText(12345678.0f, 12), "12345678.");
    EXPECT_EQ(floatText(10000000.0f, 12), "10000000.");
}

TEST(FloatToString, SevenDigitNegativesKeepTheirLeadingDigit) {
    EXPECT_EQ(floatText(-1234567.0f), "-1234567");
    EXPECT_EQ(floatText(-1234567.0f, 12), "-1234567.");
    EXPECT_EQ(floatText(-1000000.0f, 12), "-1000000.");
}

TEST(FloatToString, NotANumberGivesNaN) {
    EXPECT_EQ(floatText(std::numeric_limits<float>::quiet_NaN()), "NaN");
    EXPECT_EQ(floatText(-std::numeric_limits<float>::quiet_NaN(), 2), "Na");
}

TEST(FloatToString, NegativeZeroShowsAsZero) { EXPECT_EQ(floatText(-0.0f), "0.000000"); }

// ---- int2string ----

TEST(IntToString, ListedValuesGiveTheirTexts) {
    const IntCase cases[] = {
        {7, 8, "7"},
        {10, 8, "10"},
        {-42, 8, "-42"},
        {99999999, 8, "99999999"},
        {-123456789, 10, "-123456789"},
        {-123456789, 8, "-1234567"},
        {123456, 3, "123"},
        {100000, 8, "100000"},
        {-100000000, 10, "-100000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(intText(c.value, c.maxLen), c.text);
    }
}

TEST(IntToString, IntegerZeroShowsAsZero) {
    EXPECT_EQ(intText(0), "0");
    EXPECT_EQ(intText(0, 0), "");
}

TEST(IntToString, ValuesFromOneHundredMillionAreHuge) {
    EXPECT_EQ(intText(100000000), "Huge!");
    EXPECT_EQ(intText(std::numeric_limits<VstInt32>::max()), "Huge!");
}

TEST(IntToString, TenDigitNegativesIncludingTheSmallestValueAreHuge) {
    EXPECT_EQ(intText(std::numeric_limits<VstInt32>::min(), 20), "Huge!");
    EXPECT_EQ(intText(-1000000000, 20), "Huge!");
    EXPECT_EQ(intText(-999999999, 20), "-999999999");
}

// ---- the buffer rule, for every conversion ----

TEST(BufferRule, NegativeMaxLenWritesOnlyTheTerminator) {
    EXPECT_EQ(floatText(1.5f, -1), "");
    EXPECT_EQ(intText(42, -5), "");
    EXPECT_EQ(intText(42, std::numeric_limits<VstInt32>::min()), "");
    EXPECT_EQ(convertChecked(-3, [](char* t, VstInt32 n) { valuetext::dB2string(-1.0f, t, n); }),
              "");
}

TEST(BufferRule, NullBuffersAreLeftAlone) {
    valuetext::float2string(1.5f, nullptr, 8);
    valuetext::int2string(42, nullptr, 8);
    valuetext::dB2string(0.0f, nullptr, 8);
    valuetext::Hz2string(100.0f, 44100.0f, nullptr, 8);
    valuetext::ms2string(100.0f, 44100.0f, nullptr, 8);
    ConvertingEffect effect;
    effect.float2string(1.5f, nullptr, 8);
    effect.int2string(42, nullptr, 8);
    effect.dB2string(2.0f, nullptr, 8);
    effect.dB2string(0.0f, nullptr, 8);
    effect.Hz2string(100.0f, nullptr, 8);
    effect.ms2string(100.0f, nullptr, 8);
    SUCCEED();
}

TEST(BufferRule, StaleCharactersBehindAShortTextAreCleared) {
    // convertChecked verifies the zeros up to byte maxLen and the untouched rest.
    EXPECT_EQ(intText(7, 8), "7");
    EXPECT_EQ(floatText(1.0e9f, 8), "Huge!");
    EXPECT_EQ(floatText(std::nanf(""), 30), "NaN");
}

TEST(BufferRule, WriteTextTreatsANullSourceAsEmpty) {
    EXPECT_EQ(convertChecked(4, [](char* t, VstInt32 n) { valuetext::writeText(nullptr, t, n); }),
              "");
}

// ---- unit conversions ----

TEST(DecibelsToString, GainsGiveTheirDecibels) {
    const FloatCase cases[] = {
        {1.0f, "0.000000"},
        {0.5f, "-6.02059"},
        {2.0f, "6.020599"},
        {10.0f, "20.00000"},
        // Only the double-precision logarithm gives this last digit.
        {0.004f, "-47.9588"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(
            convertChecked(8, [&](char* t, VstInt32 n) { valuetext::dB2string(c.value, t, n); }),
            c.text);
    }
}

TEST(DecibelsToString, SilenceIsMinusInfinity) {
    for (const float gain : {0.0f, -0.0f, -1.0f}) {
        EXPECT_EQ(convertChecked(8, [&](char* t, VstInt32 n) { valuetext::dB2string(gain, t, n); }),
                  "-oo");
    }
    EXPECT_EQ(convertChecked(2, [](char* t, VstInt32 n) { valuetext::dB2string(-1.0f, t, n); }),
              "-o");
}

// A length in samples at 44100 Hz, as a conversion of periods writes it into 8 characters.
std::string periodText(void (*convert)(float, float, char*, VstInt32), float samples) {
    return convertChecked(8, [&](char* t, VstInt32 n) { convert(samples, 44100.0f, t, n); });
}

TEST(HertzToString, PeriodsGiveTheirFrequency) {
    auto hz = [](float samples) { return periodText(valuetext::Hz2string, samples); };
    EXPECT_EQ(hz(100.0f), "441.0000");
    EXPECT_EQ(hz(1.0f), "44100.00");
    EXPECT_EQ(hz(0.0f), floatText(0.0f));
}

TEST(MillisecondsToString, SampleCountsGiveTheirDuration) {
    auto ms = [](float samples) { return periodText(valuetext::ms2string, samples); };
    EXPECT_EQ(ms(44100.0f), "1000.000");
    EXPECT_EQ(ms(441.0f), "10.00000");
    // Single-precision arithmetic would give 3043.559.
    EXPECT_EQ(ms(134221.0f), "3043.560");
}

// ---- the effect's own conversions ----

TEST(EffectConversions, FormatLikeTheFreeFunctions) {
    ConvertingEffect effect;
    EXPECT_EQ(convertChecked(8, [&](char* t, VstInt32 n) { effect.float2string(-0.25f, t, n); }),
              "-0.25000");
    EXPECT_EQ(convertChecked(8, [&](char* t, VstInt32 n) { effect.int2string(0, t, n); }), "0");
    EXPECT_EQ(convertChecked(8, [&](char* t, VstInt32 n) { effect.dB2string(0.5f, t, n); }),
              "-6.02059");
    EXPECT_EQ(convertChecked(2, [&](char* t, VstInt32 n) { effect.dB2string(0.0f, t, n); }), "-o");
    EXPECT_EQ(convertChecked(8, [&](char* t, VstInt32 n) { effect.Hz2string(100.0f, t, n); }),
              "441.0000");
    EXPECT_EQ(convertChecked(8, [&](char* t, VstInt32 n) { effect.ms2string(441.0f, t, n); }),
              "10.00000");
}

TEST(EffectConversions, UnitConversionsUseTheEffectsFormatter) {
    ConvertingEffect effect;
    effect.recordFormatting = true;
    char text[9];
    effect.dB2string(10.0f, text, 8);
    effect.Hz2string(100.0f, text, 8);
    effect.ms2string(441.0f, text, 8);
    EXPECT_EQ(std::vector<float>({20.0f, 441.0f, 10.0f}), effect.formatted);
    EXPECT_STREQ(text, "F");
    // Silence never reaches the formatter.
    effect.dB2string(0.0f, text, 8);
    EXPECT_EQ(effect.formatted.size(), 3u);
    EXPECT_STREQ(text, "-oo");
}

TEST(EffectConversions, UnitConversionsReadTheEffectsSampleRate) {
    ConvertingEffect effect;
    effect.rateOverride = 1000.0f;
    char text[9];
    effect.Hz2string(4.0f, text, 8);
    EXPECT_STREQ(text, "250.0000");
    effect.ms2string(3.0f, text, 8);
    EXPECT_STREQ(text, "3.000000");

    effect.rateOverride = 0.0f;
    effect.setSampleRate(48000.0f);
    effect.Hz2string(480.0f, text, 8);
    EXPECT_STREQ(text, "100.0000");
}
