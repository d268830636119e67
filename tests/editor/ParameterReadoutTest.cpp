// The readouts the editor shows say what the host's display text and label say, converted to a
// player's units, for every parameter across its range, and can all be lettered.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "EffectUnderTest.h"
#include "ParameterReadout.h"
#include "StrokeFont.h"

namespace {

struct HostTexts {
    std::string display;
    std::string label;
};

HostTexts hostTexts(DelayEffect& effect, int index) {
    char display[kVstMaxParamStrLen + 1] = {};
    char label[32] = {};
    effect.getParameterDisplay(index, display);
    effect.getParameterLabel(index, label);
    return {display, label};
}

double numberIn(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// The readout's number, rounded to one decimal, agrees with the host's number converted.
void expectOneDecimalOf(double converted, const std::string& shown) {
    EXPECT_NEAR(numberIn(shown), converted, 0.05 + 1e-9) << shown;
    const auto point = shown.find('.');
    ASSERT_NE(point, std::string::npos) << shown;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(shown[point + 1]))) << shown;
}

void expectReadoutFollowsHost(const readout::Readout& shown, const HostTexts& host, int index,
                              float rate) {
    ASSERT_FALSE(shown.value.empty());
    EXPECT_TRUE(stroke_font::canDraw(shown.name)) << shown.name;
    EXPECT_TRUE(stroke_font::canDraw(shown.value)) << shown.value;
    switch (index) {
        case kDelay: {
            ASSERT_EQ(host.label, "samples");
            // "<ms> ms  <samples> samples", the samples exactly as the host shows them.
            const auto ms = shown.value.find(" ms  ");
            ASSERT_NE(ms, std::string::npos) << shown.value;
            EXPECT_EQ(shown.value.substr(ms + 5), host.display + " samples");
            expectOneDecimalOf(numberIn(host.display) * 1000.0 / rate, shown.value.substr(0, ms));
            break;
        }
        case kLowPassInLoop:
        case kHighPassInLoop:
            ASSERT_EQ(host.label, "on/off");
            EXPECT_EQ(shown.value, host.display == "1" ? "in loop" : "on echo");
            break;
        case kPan: {
            ASSERT_EQ(host.label, "left/right");
            const double towardLeft = (0.5 - numberIn(host.display)) * 200.0;
            if (shown.value == "C") {
                EXPECT_LT(std::fabs(towardLeft), 0.05);
            } else {
                ASSERT_GE(shown.value.size(), 3u);
                const std::string side = shown.value.substr(0, 2);
                EXPECT_TRUE(side == "L " || side == "R ") << shown.value;
                const double sign = side == "L " ? 1.0 : -1.0;
                expectOneDecimalOf(sign * towardLeft, shown.value.substr(2));
            }
            break;
        }
        default:
            // The amounts: the host shows the plain fraction (labelled "%" or "amount").
            ASSERT_TRUE(host.label == "%" || host.label == "amount") << host.label;
            ASSERT_EQ(shown.value.back(), '%');
            expectOneDecimalOf(numberIn(host.display) * 100.0,
                               shown.value.substr(0, shown.value.size() - 1));
            break;
    }
}

}  // namespace

TEST(ParameterReadout, EveryParameterReadsAsTheHostDisplaysItInAPlayersUnitsAcrossItsRange) {
    const float values[] = {0.0f,    0.001f, 0.01f,    0.0799f, 0.08f,  0.215f, 0.29f,
                            0.4999f, 0.5f,   0.50001f, 0.7f,    0.995f, 0.99f,  1.0f};
    for (const float rate : {44100.0f, 48000.0f, 96000.0f, 384000.0f}) {
        EffectUnderTest effect;
        effect.setSampleRate(rate);
        for (int index = 0; index < kNumParams; ++index) {
            for (const float value : values) {
                effect.setParameter(index, value);
                const HostTexts host = hostTexts(effect, index);
                const readout::Readout shown =
                    readout::readoutOf(index, value, effect.delayCore().delayLength());
                SCOPED_TRACE("parameter " + std::to_string(index) + " at " + std::to_string(value) +
                             ", " + std::to_string(rate) + " Hz: host '" + host.display +
                             "', readout '" + shown.value + "'");
                expectReadoutFollowsHost(shown, host, index, rate);
            }
        }
    }
}

TEST(ParameterReadout, EachParameterHasItsOwnNameAndAnIndexOutsideThemHasNone) {
    std::vector<std::string> names;
    for (int index = 0; index < kNumParams; ++index) {
        const std::string name = readout::readoutOf(index, 0.5f, std::nullopt).name;
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 0) << name;
        names.push_back(name);
    }
    EXPECT_EQ(readout::readoutOf(kNumParams, 0.5f, std::nullopt), readout::Readout{});
    EXPECT_EQ(readout::readoutOf(-1, 0.5f, std::nullopt), readout::Readout{});
}

TEST(ParameterReadout, WithoutTheRateTheDelayShowsWholeMillisecondsAndOddValuesShowAsOutOfRange) {
    EXPECT_EQ(readout::readoutOf(kDelay, 0.08f, std::nullopt).value, "80 ms");
    EXPECT_EQ(readout::readoutOf(kDelay, 1.0f, std::nullopt).value, "1000 ms");
    // Values no control sends but a host may: never a number that means nothing, and drawable.
    for (const float odd : {std::nanf(""), 1e9f, -1e9f}) {
        for (int index = 0; index < kNumParams; ++index) {
            const std::string value = readout::readoutOf(index, odd, std::nullopt).value;
            EXPECT_FALSE(value.empty());
            EXPECT_TRUE(stroke_font::canDraw(value)) << value;
        }
    }
    EXPECT_EQ(readout::readoutOf(kMix, 1e9f, std::nullopt).value, "out of range");
}
