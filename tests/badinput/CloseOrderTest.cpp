// Hosts that end, start or run an instance out of the usual order. Nothing may crash or leak
// (the sanitizer build checks for leaks when the program ends).
#include "HostileHostCase.h"

namespace {
using CallOrder = HostileHostCase;
}

TEST_F(CallOrder, CloseWithoutSwitchingOffFirst) {
    run(noise(4096, 1));
    EXPECT_EQ(effect.close(), 1);
}

TEST_F(CallOrder, CloseWithoutEverOpening) {
    HostedEffect fresh(library->instantiate(quietHost));
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh.close(), 1);
}

TEST_F(CallOrder, CloseAfterSwitchingOffWithoutEverProcessing) {
    effect.call(effMainsChanged, 0, 0);
    EXPECT_EQ(effect.close(), 1);
}

TEST_F(CallOrder, ProcessBeforeOpenAndBeforeSwitchingOn) {
    HostedEffect fresh(library->instantiate(quietHost));
    StereoBuffer out = runThrough(fresh, noise(4096, 2), 512);
    EXPECT_EQ(unusableSamples(out), 0u);
}

TEST_F(CallOrder, ProcessWhileSwitchedOffKeepsWorking) {
    effect.call(effMainsChanged, 0, 0);
    StereoBuffer out = run(noise(4096, 3));
    EXPECT_EQ(unusableSamples(out), 0u);
    expectEchoComesBack();
}

TEST_F(CallOrder, SwitchingOnAndOffTwiceInARow) {
    effect.call(effMainsChanged, 0, 1);
    effect.call(effMainsChanged, 0, 1);
    effect.call(effMainsChanged, 0, 0);
    effect.call(effMainsChanged, 0, 0);
    effect.call(effMainsChanged, 0, -1);  // any value but 0 switches on
    expectEchoComesBack();
}

TEST_F(CallOrder, OpenTwice) {
    effect.call(effOpen);
    effect.call(effOpen);
    expectEchoComesBack();
}

TEST_F(CallOrder, CloseWithTheEditorOpen) {
    // Without a parent the editor opens a window of its own, which needs a display.
    if (effect.call(effEditOpen, 0, 0, nullptr) != 1) GTEST_SKIP() << "no display to open on";
    effect.call(effEditIdle);
    effect.set(kMix, 0.3f);  // offered to the open editor
    run(noise(4096, 4));
    effect.call(effEditIdle);
    EXPECT_EQ(effect.close(), 1);
}

TEST_F(CallOrder, EditorClosedTwiceAndIdledWhileClosed) {
    effect.call(effEditOpen, 0, 0, nullptr);
    effect.call(effEditClose);
    effect.call(effEditClose);
    effect.call(effEditIdle);
    effect.set(kMix, 0.3f);
    expectEchoComesBack();
}
