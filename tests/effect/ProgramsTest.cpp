#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "EffectUnderTest.h"

namespace {
std::string programName(DelayEffect& effect) {
    char name[25];
    std::memset(name, 'x', sizeof(name));
    effect.getProgramName(name);
    return name;
}
}  // namespace

TEST(Programs, StartAtSlapBack) {
    EffectUnderTest effect;
    EXPECT_EQ(effect.getProgram(), 0);
    EXPECT_EQ(programName(effect), "SlapBack");
}

TEST(Programs, IndexesOutsideTheStoreChangeNothing) {
    EffectUnderTest effect;
    effect.setProgram(4);
    for (VstInt32 index : {26, -1, INT32_MIN, INT32_MAX}) {
        effect.setProgram(index);
        EXPECT_EQ(effect.getProgram(), 4);
    }
}

TEST(Programs, ChoosingOneAppliesAllNineValues) {
    EffectUnderTest effect;
    effect.setProgram(7);  // "CloudFishing"
    EXPECT_EQ(programName(effect), "CloudFishing");
    EXPECT_EQ(effect.parameters(), (std::vector<float>{0.34499f, 0.639999f, 0.93f, 0.0f, 0.0f, 1.0f,
                                                       0.5f, 0.0f, 0.495f}));
}

TEST(Programs, RememberChangesMadeWhileTheyAreCurrent) {
    EffectUnderTest effect;
    effect.setProgram(3);
    effect.setParameter(kMix, 0.8f);
    effect.setProgram(5);
    effect.setProgram(3);
    EXPECT_EQ(effect.getParameter(kMix), 0.8f);
}

// Applying a program writes each value back through the float parameter path, so the stored
// doubles become their single-precision values. GCC's SLP vectorizer once dropped exactly this
// narrowing; the exact double value catches it.
TEST(Programs, ApplyingOneLeavesSinglePrecisionValuesInTheSettings) {
    EffectUnderTest effect;
    effect.setProgram(1);
    effect.setProgram(0);
    EXPECT_EQ(effect.getSettings().lowPass.load(), 0.37400001287460327);
    EXPECT_EQ(effect.getProgramRecord(0).lowPass.load(), 0.37400001287460327);
    EXPECT_EQ(effect.getSettings().highPass.load(), static_cast<double>(0.655999f));
    EXPECT_EQ(effect.getProgramRecord(1).lowPass.load(), static_cast<double>(0.93f));
    EXPECT_EQ(effect.getProgramRecord(2).lowPass.load(), 0.634999);  // never applied: untouched
}

TEST(Programs, NamesAreCutAtTwentyFourCharacters) {
    EffectUnderTest effect;
    char name[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    effect.setProgramName(name);
    EXPECT_EQ(programName(effect), "ABCDEFGHIJKLMNOPQRSTUVWX");
    char empty[] = "";
    effect.setProgramName(empty);
    EXPECT_EQ(programName(effect), "");
    effect.setProgramName(nullptr);
    effect.getProgramName(nullptr);
    EXPECT_EQ(programName(effect), "");
}

TEST(Programs, AnyNameCanBeListedWhateverIsCurrent) {
    EffectUnderTest effect;
    char text[25] = "untouched";
    EXPECT_TRUE(effect.getProgramNameIndexed(0, 20, text));
    EXPECT_STREQ(text, "Repeat After Me");
    std::strcpy(text, "untouched");
    EXPECT_FALSE(effect.getProgramNameIndexed(0, 26, text));
    EXPECT_FALSE(effect.getProgramNameIndexed(0, -1, text));
    EXPECT_STREQ(text, "untouched");
    EXPECT_FALSE(effect.getProgramNameIndexed(0, 3, nullptr));
    for (int i = 0; i < kNumPrograms; ++i) {
        ASSERT_TRUE(effect.getProgramNameIndexed(0, i, text));
        EXPECT_STRNE(text, "Init");
        EXPECT_STREQ(text, kFactoryPrograms[i].name);
    }
}
