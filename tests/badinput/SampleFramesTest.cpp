// Frame counts a host should not send: negative ones, zero, one that dwarfs every block size,
// and blocks larger than the size the host announced.
#include <climits>
#include <vector>

#include "HostileHostCase.h"

namespace {
using FrameCounts = HostileHostCase;

struct Block {
    std::vector<float> inL, inR, outL, outR;
    explicit Block(std::size_t frames)
        : inL(frames, 0.25f), inR(frames, -0.25f), outL(frames, 7.0f), outR(frames, 7.0f) {}
    float* inputs[2] = {};
    float* outputs[2] = {};
    float** in() { return inputs[0] = inL.data(), inputs[1] = inR.data(), inputs; }
    float** out() { return outputs[0] = outL.data(), outputs[1] = outR.data(), outputs; }
    bool untouched() const {
        return inL == std::vector<float>(inL.size(), 0.25f) &&
               inR == std::vector<float>(inR.size(), -0.25f) &&
               outL == std::vector<float>(outL.size(), 7.0f) &&
               outR == std::vector<float>(outR.size(), 7.0f);
    }
};
}  // namespace

TEST_F(FrameCounts, NegativeCountsTouchNoSample) {
    for (VstInt32 frames : {-1, -64, -8192, INT32_MIN}) {
        Block block(64);
        effect.process(block.in(), block.out(), frames);
        EXPECT_TRUE(block.untouched()) << frames;
    }
    expectEchoComesBack();
}

TEST_F(FrameCounts, ZeroTouchesNoSample) {
    Block block(64);
    effect.process(block.in(), block.out(), 0);
    EXPECT_TRUE(block.untouched());
    expectEchoComesBack();
}

TEST_F(FrameCounts, TheLargestCountWithoutBuffersTouchesNothing) {
    // No host can hand over 2^31 − 1 frames of real memory; the count must not be trusted to
    // mean there is some.
    float* missing[2] = {nullptr, nullptr};
    effect.process(nullptr, nullptr, INT32_MAX);
    effect.process(missing, missing, INT32_MAX);
    effect.process(nullptr, missing, INT32_MAX);
    expectEchoComesBack();
}

TEST_F(FrameCounts, FourMillionFramesInOneCallSoundAsInHostSizedBlocks) {
    constexpr std::size_t kFrames = std::size_t{1} << 22;
    HostedEffect twin(library->instantiate(quietHost));
    twin.start();
    for (HostedEffect* e : {&effect, &twin}) e->call(effSetProgram, 0, 21);
    StereoBuffer input = noise(kFrames, 11);
    StereoBuffer whole(kFrames);
    auto in = input.channels();
    auto out = whole.channels();
    effect.process(in.get(), out.get(), static_cast<VstInt32>(kFrames));
    StereoBuffer blocks = runThrough(twin, input, 512);
    EXPECT_EQ(unusableSamples(whole), 0u);
    EXPECT_TRUE(whole.left == blocks.left && whole.right == blocks.right);
}

TEST_F(FrameCounts, BlocksLargerThanAnnouncedSoundAsAnnouncedOnes) {
    HostedEffect twin(library->instantiate(quietHost));
    twin.start(44100.0f, 8192);
    effect.call(effSetBlockSize, 0, 64);
    StereoBuffer input = noise(20000, 12);
    StereoBuffer big = run(input, 8192);
    StereoBuffer announced = runThrough(twin, input, 8192);
    EXPECT_TRUE(big.left == announced.left && big.right == announced.right);
}

TEST_F(FrameCounts, BlockSizesThatAreNotSizesAreOnlyRemembered) {
    for (VstIntPtr size :
         {VstIntPtr{0}, VstIntPtr{-1}, VstIntPtr{INT32_MIN}, static_cast<VstIntPtr>(INTPTR_MAX)}) {
        effect.call(effSetBlockSize, 0, size);
        StereoBuffer out = run(noise(4096, 13), 777);
        EXPECT_EQ(unusableSamples(out), 0u) << size;
    }
    expectEchoComesBack();
}
