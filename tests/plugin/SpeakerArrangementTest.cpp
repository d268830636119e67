#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "AudioEffectX.h"

namespace {

class ArrangingEffect : public AudioEffectX {
public:
    ArrangingEffect() : AudioEffectX(nullptr, 1, 1) {}
    void processReplacing(float**, float**, VstInt32) override {}
};

// Channels are addressed by byte offset: an arrangement holds as many as it was allocated for,
// which may be more than the declared array.
VstSpeakerProperties& speaker(VstSpeakerArrangement* arrangement, VstInt32 channel) {
    auto* bytes = reinterpret_cast<unsigned char*>(arrangement);
    return *reinterpret_cast<VstSpeakerProperties*>(
        bytes + offsetof(VstSpeakerArrangement, speakers) +
        static_cast<std::size_t>(channel) * sizeof(VstSpeakerProperties));
}

VstSpeakerProperties makeSpeaker(float base, const char* name, VstInt32 type) {
    VstSpeakerProperties p;
    std::memset(&p, 0x5A, sizeof(p));
    p.azimuth = base;
    p.elevation = base + 1.0f;
    p.radius = base + 2.0f;
    p.reserved = base + 3.0f;
    std::memset(p.name, 0, sizeof(p.name));
    std::memcpy(p.name, name, std::min(std::strlen(name), sizeof(p.name) - 1));
    p.type = type;
    for (std::size_t k = 0; k < sizeof(p.future); ++k) p.future[k] = static_cast<char>(k + 1);
    return p;
}

void expectSameSpeaker(const VstSpeakerProperties& copy, const VstSpeakerProperties& original) {
    EXPECT_EQ(copy.azimuth, original.azimuth);
    EXPECT_EQ(copy.elevation, original.elevation);
    EXPECT_EQ(copy.radius, original.radius);
    EXPECT_EQ(copy.reserved, original.reserved);
    EXPECT_STREQ(copy.name, original.name);
    EXPECT_EQ(copy.type, original.type);
    EXPECT_EQ(0, std::memcmp(copy.future, original.future, sizeof(copy.future)));
}

class SpeakerArrangement : public ::testing::Test {
protected:
    void TearDown() override {
        effect.deallocateArrangement(&first);
        effect.deallocateArrangement(&second);
    }

    ArrangingEffect effect;
    VstSpeakerArrangement* first = nullptr;
    VstSpeakerArrangement* second = nullptr;
};

}  // namespace

// ---- the base answer ----

TEST_F(SpeakerArrangement, BaseAnswerPutsNullIntoBothSlots) {
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_FALSE(effect.getSpeakerArrangement(&input, &output));
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST_F(SpeakerArrangement, BaseAnswerWritesNothingThroughNullSlots) {
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* output = &dummy;
    EXPECT_FALSE(effect.getSpeakerArrangement(nullptr, &output));
    EXPECT_EQ(output, nullptr);
    EXPECT_FALSE(effect.getSpeakerArrangement(nullptr, nullptr));
}

// ---- allocating and freeing ----

TEST_F(SpeakerArrangement, AllocationHoldsTheChannelCountAndZeros) {
    ASSERT_TRUE(effect.allocateArrangement(&first, 10));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->type, 0);
    EXPECT_EQ(first->numChannels, 10);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&speaker(first, 0));
    for (std::size_t k = 0; k < 10 * sizeof(VstSpeakerProperties); ++k) {
        ASSERT_EQ(bytes[k], 0) << "byte " << k;
    }
}

TEST_F(SpeakerArrangement, ReallocationReplacesTheHeldArrangement) {
    ASSERT_TRUE(effect.allocateArrangement(&first, 2));
    first->type = 7;
    ASSERT_TRUE(effect.allocateArrangement(&first, 0));
    EXPECT_EQ(first->numChannels, 0);
    EXPECT_EQ(first->type, 0);
}

TEST_F(SpeakerArrangement, AllocationRefusesCountsItCannotHold) {
    ASSERT_TRUE(effect.allocateArrangement(&first, 2));
    VstSpeakerArrangement* const held = first;
    EXPECT_FALSE(effect.allocateArrangement(&first, -1));
    EXPECT_FALSE(effect.allocateArrangement(&first, 0x7FFFFFFF));
    // One channel more than a signed 32-bit size can hold.
    EXPECT_FALSE(effect.allocateArrangement(&first, 19173962));
    EXPECT_EQ(first, held) << "a refusal keeps the arrangement already held";
    EXPECT_EQ(first->numChannels, 2);
}

TEST_F(SpeakerArrangement, NullArrangementPointersAreRefused) {
    EXPECT_FALSE(effect.allocateArrangement(nullptr, 2));
    EXPECT_FALSE(effect.deallocateArrangement(nullptr));
}

TEST_F(SpeakerArrangement, DeallocationLeavesNull) {
    ASSERT_TRUE(effect.allocateArrangement(&first, 1));
    EXPECT_TRUE(effect.deallocateArrangement(&first));
    EXPECT_EQ(first, nullptr);
    EXPECT_TRUE(effect.deallocateArrangement(&first)) << "nothing held is fine too";
    EXPECT_EQ(first, nullptr);
}

// ---- copying speakers ----

TEST_F(SpeakerArrangement, CopySpeakerCopiesEveryField) {
    const VstSpeakerProperties from = makeSpeaker(1.5f, "Left", 1);
    VstSpeakerProperties to = makeSpeaker(-9.0f, "a previous, longer name", 9);
    VstSpeakerProperties source = from;
    EXPECT_TRUE(effect.copySpeaker(&to, &source));
    expectSameSpeaker(to, from);
    for (std::size_t k = std::strlen("Left"); k < sizeof(to.name); ++k) {
        EXPECT_EQ(to.name[k], '\0') << "name byte " << k << " keeps an old character";
    }
}

TEST_F(SpeakerArrangement, CopySpeakerEndsAnOverlongNameAtSixtyThreeCharacters) {
    VstSpeakerProperties from = makeSpeaker(0.0f, "", 0);
    std::memset(from.name, 'n', sizeof(from.name));  // no terminator at all
    VstSpeakerProperties to = makeSpeaker(0.0f, "", 0);
    EXPECT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(std::string(to.name), std::string(63, 'n'));
    EXPECT_EQ(to.name[63], '\0');
}

TEST_F(SpeakerArrangement, CopySpeakerRefusesNullAndWritesNothing) {
    VstSpeakerProperties to = makeSpeaker(2.0f, "Right", 2);
    const VstSpeakerProperties before = to;
    EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
    EXPECT_FALSE(effect.copySpeaker(nullptr, &to));
    EXPECT_EQ(0, std::memcmp(&to, &before, sizeof(to)));
}

// ---- matching arrangements ----

TEST_F(SpeakerArrangement, MatchCopiesTypeCountAndEverySpeaker) {
    ASSERT_TRUE(effect.allocateArrangement(&first, 10));
    first->type = 42;
    for (VstInt32 channel = 0; channel < 10; ++channel) {
        speaker(first, channel) =
            makeSpeaker(static_cast<float>(channel), ("speaker " + std::to_string(channel)).c_str(),
                        channel + 100);
    }
    ASSERT_TRUE(effect.allocateArrangement(&second, 1));
    EXPECT_TRUE(effect.matchArrangement(&second, first));
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->type, 42);
    EXPECT_EQ(second->numChannels, 10);
    for (VstInt32 channel = 0; channel < 10; ++channel) {
        SCOPED_TRACE(channel);
        expectSameSpeaker(speaker(second, channel), speaker(first, channel));
    }
}

TEST_F(SpeakerArrangement, MatchIntoAnEmptyTargetAllocatesIt) {
    ASSERT_TRUE(effect.allocateArrangement(&first, 0));
    first->type = 3;
    EXPECT_TRUE(effect.matchArrangement(&second, first));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->type, 3);
    EXPECT_EQ(second->numChannels, 0);
}

TEST_F(SpeakerArrangement, MatchOntoItselfKeepsTheArrangement) {
    ASSERT_TRUE(effect.allocateArrangement(&first, 2));
    first->type = 5;
    speaker(first, 1) = makeSpeaker(4.0f, "Surround", 6);
    VstSpeakerArrangement* const source = first;
    EXPECT_TRUE(effect.matchArrangement(&first, source));
    EXPECT_EQ(first->type, 5);
    EXPECT_EQ(first->numChannels, 2);
    EXPECT_STREQ(speaker(first, 1).name, "Surround");
    EXPECT_EQ(speaker(first, 1).azimuth, 4.0f);
}

TEST_F(SpeakerArrangement, MatchRefusesNullAndKeepsTheTarget) {
    ASSERT_TRUE(effect.allocateArrangement(&first, 1));
    VstSpeakerArrangement* const held = first;
    EXPECT_FALSE(effect.matchArrangement(&first, nullptr));
    EXPECT_EQ(first, held);
    EXPECT_FALSE(effect.matchArrangement(nullptr, first));
}

TEST_F(SpeakerArrangement, MatchRefusesASourceWithANegativeCount) {
    VstSpeakerArrangement broken{};
    broken.numChannels = -3;
    ASSERT_TRUE(effect.allocateArrangement(&first, 1));
    VstSpeakerArrangement* const held = first;
    EXPECT_FALSE(effect.matchArrangement(&first, &broken));
    EXPECT_EQ(first, held);
    EXPECT_EQ(first->numChannels, 1);
}
