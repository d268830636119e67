#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "EffectUnderTest.h"

namespace {
std::string display(DelayEffect& effect, VstInt32 index) {
    char text[9];
    std::memset(text, 'x', sizeof(text));
    effect.getParameterDisplay(index, text);
    return text;
}
}  // namespace

// Each name and label reaches the host as its table row has it, whether the host cleared its
// buffer or not.
TEST(ParameterTexts, NamesAndLabelsReachTheHostAsTheTableHasThemWithinItsBuffers) {
    EffectUnderTest effect;
    for (const ParameterRow& row : kParameterTable) {
        for (const char fill : {'\0', 'x'}) {
            char text[33];
            std::memset(text, fill, sizeof text);
            effect.dispatcher(effGetParamName, row.index, 0, text, 0.0f);
            EXPECT_STREQ(text, row.name);
            std::memset(text, fill, sizeof text);
            effect.dispatcher(effGetParamLabel, row.index, 0, text, 0.0f);
            EXPECT_STREQ(text, row.label);
        }
        EXPECT_LE(std::strlen(row.name), 13u) << row.index;  // hosts give names 14 bytes
    }
}

TEST(ParameterTexts, DisplayTheDelayInSamplesAndFractionsTruncated) {
    EffectUnderTest effect;
    EXPECT_EQ(display(effect, kDelay), "3526");
    EXPECT_EQ(display(effect, kFeedBack), "0.215000");
    EXPECT_EQ(display(effect, kMix), "1.000000");
    EXPECT_EQ(display(effect, kLowPassInLoop), "1");
    EXPECT_EQ(display(effect, kHighPassInLoop), "0");  // an empty text would hide the switch
    effect.setParameter(kDelay, 1.0f);
    EXPECT_EQ(display(effect, kDelay), "44099");
    effect.setParameter(kDelay, 0.0f);
    EXPECT_EQ(display(effect, kDelay), "0");
    effect.setParameter(kLowPassInLoop, 0.3f);
    EXPECT_EQ(display(effect, kLowPassInLoop), "1");
    effect.setParameter(kPan, 0.7f);
    EXPECT_EQ(display(effect, kPan), "0.699999");
}

TEST(ParameterTexts, IndexesOutsideTheTableLeaveTheBufferUntouched) {
    EffectUnderTest effect;
    for (VstInt32 index : {9, -1, INT32_MIN}) {
        char text[16] = "untouched";
        effect.getParameterName(index, text);
        effect.getParameterLabel(index, text);
        effect.getParameterDisplay(index, text);
        EXPECT_STREQ(text, "untouched");
    }
    effect.getParameterName(0, nullptr);
    effect.getParameterLabel(0, nullptr);
    effect.getParameterDisplay(0, nullptr);
}

// Every text handed over ends at the first byte after it and again at its limit, whatever its
// length; the host's bytes in between and beyond the limit stay as they were.
TEST(Identity, TextsEndAfterThemselvesAndAtTheirLimitAndNothingBeyond) {
    EffectUnderTest effect;
    const std::string name24 = "ABCDEFGHIJKLMNOPQRSTUVWX";
    effect.setProgram(3);
    std::string longName = name24 + "YZ";
    effect.setProgramName(longName.data());  // kept as its first 24 characters
    effect.setProgram(0);
    const struct {
        const char* what;
        std::size_t limit;
        std::string text;
        std::function<bool(char*)> hand;
    } cases[] = {
        {"effect name", 32, "ZvDelay32", [&](char* t) { return effect.getEffectName(t); }},
        {"vendor", 64, "Zelvano Music", [&](char* t) { return effect.getVendorString(t); }},
        {"product", 64, "Zelvano's Delay 32-Bit",
         [&](char* t) { return effect.getProductString(t); }},
        {"program name", 24, "SlapBack",
         [&](char* t) {
             effect.getProgramName(t);
             return true;
         }},
        {"program name by index", 24, "Repeat After Me",
         [&](char* t) { return effect.getProgramNameIndexed(0, 20, t); }},
        {"program name of 24", 24, name24,
         [&](char* t) { return effect.getProgramNameIndexed(0, 3, t); }},
    };
    for (const auto& c : cases) {
        std::string buffer(100, '\x5A');
        ASSERT_TRUE(c.hand(buffer.data())) << c.what;
        std::string expected(100, '\x5A');
        expected.replace(0, c.text.size() + 1, c.text.c_str(), c.text.size() + 1);
        expected[c.limit] = '\0';
        EXPECT_EQ(buffer, expected) << c.what;
    }
    EXPECT_EQ(effect.getVendorVersion(), 1000);
    EXPECT_EQ(effect.getPlugCategory(), kPlugCategEffect);
    EXPECT_EQ(effect.getNumMidiInputChannels(), 0);
    EXPECT_EQ(effect.getNumMidiOutputChannels(), 0);
    EXPECT_FALSE(effect.hasMidiProgramsChanged(0));
}

TEST(Identity, RefusesEveryCapability) {
    EffectUnderTest effect;
    for (const char* can : {"receiveVstMidiEvent", "bypass", ""}) {
        std::string text = can;
        EXPECT_EQ(effect.canDo(text.data()), -1);
    }
    EXPECT_EQ(effect.canDo(nullptr), -1);
}

TEST(Identity, DescribesTwoStereoOutputPins) {
    EffectUnderTest effect;
    VstPinProperties pin;
    std::memset(&pin, 0x55, sizeof(pin));
    ASSERT_TRUE(effect.getOutputProperties(1, &pin));
    EXPECT_STREQ(pin.label, "ZvDy 2");
    EXPECT_EQ(pin.flags, 3);
    EXPECT_EQ(pin.arrangementType, 0x55555555);  // left as the host gave it
    EXPECT_EQ(pin.label[63], '\0');

    ASSERT_TRUE(effect.getOutputProperties(-3, &pin));
    EXPECT_STREQ(pin.label, "ZvDy -2");

    VstPinProperties untouched;
    std::memset(&untouched, 0x55, sizeof(untouched));
    VstPinProperties copy = untouched;
    EXPECT_FALSE(effect.getOutputProperties(2, &untouched));
    EXPECT_EQ(std::memcmp(&copy, &untouched, sizeof(copy)), 0);
    EXPECT_FALSE(effect.getOutputProperties(0, nullptr));
}

TEST(Identity, ClearsTheKeyNameItIsAskedFor) {
    EffectUnderTest effect;
    MidiKeyName key;
    std::memset(&key, 0x55, sizeof(key));
    EXPECT_FALSE(effect.getMidiKeyName(0, &key));
    EXPECT_EQ(key.keyName[0], '\0');
    EXPECT_EQ(key.reserved, 0);
    EXPECT_EQ(key.flags, 0);
    EXPECT_FALSE(effect.getMidiKeyName(0, nullptr));
}

TEST(Identity, RecordCarriesCountsFlagsAndIdentifier) {
    EffectUnderTest effect;
    AEffect* record = effect.getAeffect();
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->numPrograms, 26);
    EXPECT_EQ(record->numParams, 9);
    EXPECT_EQ(record->uniqueID, fourCharacterCode('Z', 'v', 'D', '8'));
    EXPECT_EQ(record->flags & effFlagsCanReplacing, effFlagsCanReplacing);
    EXPECT_EQ(record->flags & (effFlagsProgramChunks | effFlagsIsSynth | effFlagsNoSoundInStop |
                               effFlagsCanDoubleReplacing),
              0);
}
