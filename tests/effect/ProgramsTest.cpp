#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "EffectUnderTest.h"
#include "ReferenceDelay.h"

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
// doubles become their single-precision values, in the settings and in the program memory. GCC's
// SLP vectorizer once dropped exactly this narrowing; the filter amounts differ in the last bits
// then, and so do the samples.
TEST(Programs, ApplyingOneLeavesSinglePrecisionValuesInTheSettingsAndTheMemory) {
    const StereoBuffer in = noise(20000, 5);
    for (int program : {0, 1}) {
        EffectUnderTest effect;
        effect.setProgram(1);
        effect.setProgram(0);
        effect.setProgram(program);  // program 1 again comes from its memory
        ReferenceDelay reference;
        reference.setProgram(program);
        const StereoBuffer expected = reference.run(in, 300);
        const StereoBuffer actual = effect.run(in, 300);
        for (std::size_t i = 0; i < in.frames(); ++i) {
            ASSERT_EQ(actual.left[i], expected.left[i]) << "program " << program << ", " << i;
            ASSERT_EQ(actual.right[i], expected.right[i]) << "program " << program << ", " << i;
        }
    }
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
