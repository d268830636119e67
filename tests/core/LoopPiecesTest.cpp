// The signal path runs a block in pieces: a quick loop over at most one line length at a time
// whose writes are guarded when the piece is done, and a careful loop for lines of a few samples.
// Where the pieces start and end must not change a single sample.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "CoreUnderTest.h"
#include "LaneWidths.h"
#include "ReferenceDelay.h"
#include "ThreeBandFilter.h"

namespace {

void expectSame(const StereoBuffer& actual, const StereoBuffer& expected, const std::string& what) {
    ASSERT_EQ(actual.frames(), expected.frames());
    for (std::size_t i = 0; i < actual.frames(); ++i) {
        ASSERT_EQ(actual.left[i], expected.left[i]) << what << ", left, frame " << i;
        ASSERT_EQ(actual.right[i], expected.right[i]) << what << ", right, frame " << i;
    }
}
}  // namespace

class LoopPiecesOnEachLaneWidth : public OnEachLaneWidth {};
ZV_ON_EACH_LANE_WIDTH(LoopPiecesOnEachLaneWidth);

TEST_P(LoopPiecesOnEachLaneWidth, LinesShorterThanTheBlockMatchThePlainAlgorithm) {
    // 44099 × value samples: 0, 1, 4, 31, 32, 33, 63, 100, 511, 600 and 5000.
    const float delays[] = {0.0f,     2.5e-5f,  1.0e-4f,   7.1e-4f,   7.3e-4f, 7.5e-4f,
                            1.43e-3f, 2.27e-3f, 1.159e-2f, 1.361e-2f, 0.1134f};
    const StereoBuffer in = noise(12000, 21);
    for (int program : {0, 14, 10, 11, 9}) {
        for (float delay : delays) {
            for (int block : {1, 7, 64, 512, 4096}) {
                CoreUnderTest effect;
                ReferenceDelay reference;
                effect.setProgram(program);
                reference.setProgram(program);
                effect.setParameter(kDelay, delay);
                reference.setParameter(kDelay, delay);
                expectSame(effect.run(in, block), reference.run(in, block),
                           "program " + std::to_string(program) + ", " +
                               std::to_string(effect.delayCore().delayLength()->samples) +
                               " samples, block " + std::to_string(block));
            }
        }
    }
}

TEST_P(LoopPiecesOnEachLaneWidth, ChangesBetweenBlocksTakeEffectAtTheNextFrame) {
    CoreUnderTest effect;
    ReferenceDelay reference;
    effect.setProgram(21);
    reference.setProgram(21);
    const StereoBuffer in = noise(64, 4);
    const int parameters[] = {kFeedBack,       kLowPass, kHighPass, kLowPassInLoop,
                              kHighPassInLoop, kPan,     kPanWidth, kMix};
    for (int block = 0; block < 200; ++block) {
        // Every few blocks one parameter moves, so every filter place and balance is crossed.
        const int index = parameters[block % 8];
        const float value = static_cast<float>((block * 37) % 101) / 100.0f;
        effect.setParameter(index, value);
        reference.setParameter(index, value);
        expectSame(effect.run(in, 64), reference.run(in, 64), "block " + std::to_string(block));
    }
}

TEST(LoopPieces, RunawayValuesAreMendedBeforeTheLineReadsThemAgain) {
    // Feedback far above 1 makes values beyond the guard within a few passes, for long lines
    // (guarded after each piece) and short ones (guarded as they are made).
    for (float delay : {0.0f, 2.5e-4f, 7.5e-4f, 0.05f}) {
        for (int block : {16, 512}) {
            CoreUnderTest effect;
            effect.setProgram(0);
            effect.setParameter(kDelay, delay);
            effect.setParameter(kLowPass, 0.0f);
            effect.setParameter(kHighPass, 0.0f);
            effect.setParameter(kFeedBack, 40.0f);
            // At half mix a guarded line gives echoes of at most 5000; an unguarded one, whose
            // values run off to infinity, would hit the output guard's 10000 instead.
            effect.setParameter(kMix, 0.5f);
            StereoBuffer in = noise(20000, 8);
            in.left[100] = std::numeric_limits<float>::infinity();
            in.right[200] = std::numeric_limits<float>::quiet_NaN();
            const StereoBuffer out = effect.run(in, block);
            bool reachedTheLimit = false;
            for (std::size_t i = 0; i < out.frames(); ++i) {
                if (!std::isfinite(in.left[i]) || !std::isfinite(in.right[i])) continue;
                for (float x : {out.left[i], out.right[i]}) {
                    ASSERT_TRUE(std::isfinite(x)) << "delay " << delay << ", frame " << i;
                    // The dry input adds at most 1 to the echo.
                    ASSERT_LE(std::fabs(x), 5001.0f) << "delay " << delay << ", frame " << i;
                    reachedTheLimit = reachedTheLimit || std::fabs(x) > 4900.0f;
                }
            }
            EXPECT_TRUE(reachedTheLimit) << "delay " << delay;
        }
    }
}

TEST(LoopPieces, AFilterPairGivesWhatTwoFiltersGiveToTheLastBit) {
    ThreeBandFilter left, right;
    left.init(600, 1800, 48000);
    right.init(6000, 18500, 44100);  // the halves must not mix: other splits, other gains
    left.setGains(1.0, 0.37, 0.37);
    right.setGains(0.2, 1.0, 1.0);
    ThreeBandFilterPair pair(left, right);
    const StereoBuffer in = noise(5000, 13);
    for (std::size_t i = 0; i < in.frames(); ++i) {
        // Loud, quiet and tiny values, as the lines hold them.
        const double scale = i % 3 == 0 ? 9000.0 : i % 3 == 1 ? 1.0 : 1e-30;
        const double x = in.left[i] * scale;
        const double y = in.right[i] * scale;
        const __m128d both = pair.processSample(_mm_set_pd(y, x));
        ASSERT_EQ(_mm_cvtsd_f64(both), left.processSample(x)) << "left, sample " << i;
        ASSERT_EQ(_mm_cvtsd_f64(_mm_unpackhi_pd(both, both)), right.processSample(y))
            << "right, sample " << i;
    }
    // Fresh filters with the same splits and gains take over the pair's state.
    ThreeBandFilter leftAgain, rightAgain;
    leftAgain.init(600, 1800, 48000);
    rightAgain.init(6000, 18500, 44100);
    leftAgain.setGains(1.0, 0.37, 0.37);
    rightAgain.setGains(0.2, 1.0, 1.0);
    pair.storeTo(leftAgain, rightAgain);
    EXPECT_EQ(leftAgain.processSample(0.5), left.processSample(0.5));
    EXPECT_EQ(rightAgain.processSample(0.5), right.processSample(0.5));
}
