// What a host keeps with its project and what a user types: the saved state brings every program
// memory and the loaded program back exactly, and refuses anything else without a change; a typed
// text gives the value whose display is that text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CoreUnderTest.h"
#include "SavedState.h"

namespace {

std::string displayOf(const DelayCore& core, int index) {
    char text[16] = {};
    core.displayText(index, text, 8);
    return text;
}

// A core whose every memory differs from the factory's, with renamed programs, at program 7.
void changeEverything(DelayCore& core) {
    for (int program = 0; program < kNumPrograms; ++program) {
        core.selectProgram(program);
        for (int index = 0; index < kNumParams; ++index) {
            core.setParameter(index, static_cast<float>((program * 7 + index * 3) % 100) / 99.0f);
        }
        core.renameProgram(("Mine " + std::to_string(program)).c_str());
    }
    core.selectProgram(7);
}

}  // namespace

TEST(SavedState, BringsBackEveryMemoryAndTheLoadedProgramAndSoundsTheSame) {
    CoreUnderTest saved;
    changeEverything(saved.delayCore());
    const std::vector<std::uint8_t> bytes = saved_state::save(saved.delayCore());
    ASSERT_EQ(bytes.size(), saved_state::kBytes);

    CoreUnderTest restored;
    ASSERT_TRUE(saved_state::restore(restored.delayCore(), bytes.data(), bytes.size()));
    EXPECT_EQ(saved_state::save(restored.delayCore()), bytes);
    EXPECT_EQ(restored.delayCore().program(), 7);
    EXPECT_EQ(restored.parameters(), saved.parameters());
    saved.resume();
    EXPECT_EQ(restored.run(noise(20000, 4), 333).left, saved.run(noise(20000, 4), 333).left);
}

TEST(SavedState, RefusesWhatItCannotReadAndChangesNothing) {
    CoreUnderTest core;
    changeEverything(core.delayCore());
    const std::vector<std::uint8_t> good = saved_state::save(core.delayCore());
    std::vector<std::vector<std::uint8_t>> bad;
    for (std::size_t length = 0; length < good.size(); length += 7) {
        bad.emplace_back(good.begin(), good.begin() + static_cast<long>(length));
    }
    bad.push_back(good);
    bad.back().push_back(0);  // longer
    for (const std::size_t at : {0u, 4u, 8u, 12u + 25u + 4u}) {
        bad.push_back(good);
        bad.back()[at + 3] = 0x7f;  // magic, a later version, program 2130706439, a NaN value
    }
    std::vector<std::uint8_t> noise(good.size());
    unsigned state = 1;
    for (auto& byte : noise)
        byte = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    bad.push_back(noise);

    for (const auto& bytes : bad) {
        EXPECT_FALSE(saved_state::restore(core.delayCore(), bytes.data(), bytes.size()))
            << bytes.size();
        ASSERT_EQ(saved_state::save(core.delayCore()), good) << bytes.size();
    }
    EXPECT_FALSE(saved_state::restore(core.delayCore(), nullptr, good.size()));
}

// Over every program, at rates where the delay's single precision rounds differently: the text
// shown, typed back, gives a value that shows the same text.
TEST(TypedTexts, ATextShownAndTypedBackShowsTheSameForEveryParameter) {
    for (const float rate : {44100.0f, 48000.0f, 96000.0f, 192000.0f}) {
        CoreUnderTest core;
        core.setSampleRate(rate);
        DelayCore& delay = core.delayCore();
        for (int program = 0; program < kNumPrograms; ++program) {
            core.setProgram(program);
            core.run(StereoBuffer(1));  // the rate is taken up
            for (int index = 0; index < kNumParams; ++index) {
                const std::string shown = displayOf(delay, index);
                const std::optional<float> typed = delay.valueOfText(index, shown.c_str());
                ASSERT_TRUE(typed) << shown;
                delay.setParameter(index, *typed);
                EXPECT_EQ(displayOf(delay, index), shown) << rate << " " << program << " " << index;
            }
        }
    }
}

TEST(TypedTexts, HoldWithinTheRangeAndRefuseWhatIsNotANumber) {
    CoreUnderTest core;
    const DelayCore& delay = core.delayCore();
    EXPECT_EQ(delay.valueOfText(kDelay, "999999"), 1.0f);
    EXPECT_EQ(delay.valueOfText(kDelay, "-5"), 0.0f);
    EXPECT_EQ(delay.valueOfText(kMix, " 0.25 "), 0.25f);
    EXPECT_EQ(delay.valueOfText(kMix, "7"), 1.0f);
    EXPECT_EQ(delay.valueOfText(kLowPassInLoop, "0"), 0.0f);
    EXPECT_EQ(delay.valueOfText(kLowPassInLoop, "1"), 1.0f);
    for (const char* text : {"", "abc", "0.5x", "nan", "inf", "1e999"}) {
        EXPECT_FALSE(delay.valueOfText(kMix, text)) << text;
    }
    EXPECT_FALSE(delay.valueOfText(kMix, nullptr));
    EXPECT_FALSE(delay.valueOfText(kNumParams, "0.5"));
}
