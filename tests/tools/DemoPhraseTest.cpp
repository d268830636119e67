#include "DemoPhrase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace zvhost;

namespace {

float peak(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    float loudest = 0.0f;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i)
        loudest = std::max(loudest, std::fabs(samples[i]));
    return loudest;
}

std::size_t at(double seconds, int rate) {
    return static_cast<std::size_t>(std::lround(seconds * rate));
}

}  // namespace

TEST(DemoPhrase, IsTheSameOnEveryRun) {
    const Audio first = synthesizeDemoPhrase(48000);
    const Audio second = synthesizeDemoPhrase(48000);
    EXPECT_EQ(first.left, second.left);
    EXPECT_EQ(first.right, second.right);
}

TEST(DemoPhrase, LastsThreeSecondsAndStaysBelowFullScale) {
    const Audio audio = synthesizeDemoPhrase(44100);
    EXPECT_EQ(audio.sampleRate, 44100);
    EXPECT_EQ(audio.frames(), at(kDemoPhraseSeconds, 44100));
    EXPECT_LT(peak(audio.left, 0, audio.frames()), 1.0f);
    EXPECT_LT(peak(audio.right, 0, audio.frames()), 1.0f);
}

TEST(DemoPhrase, EveryNoteSoundsOnlyOnItsOwnSideAndIsFollowedBySilence) {
    const int rate = 48000;
    const Audio audio = synthesizeDemoPhrase(rate);
    for (const DemoNote& note : demoNotes()) {
        const std::size_t start = at(note.start, rate),
                          end = at(note.start + kDemoNoteSeconds, rate);
        EXPECT_EQ(peak(audio.left, start, end) > 0.1f, note.left > 0.0) << "note at " << note.start;
        EXPECT_EQ(peak(audio.right, start, end) > 0.1f, note.right > 0.0)
            << "note at " << note.start;
        // The gap before the next note is exactly silent, so echoes stand alone.
        EXPECT_EQ(peak(audio.left, end, end + at(0.2, rate)), 0.0f)
            << "after the note at " << note.start;
        EXPECT_EQ(peak(audio.right, end, end + at(0.2, rate)), 0.0f)
            << "after the note at " << note.start;
    }
}
