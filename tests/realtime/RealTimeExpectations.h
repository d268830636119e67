// The one check every real-time test makes of a stretch of audio-thread work.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "AudioThreadWatch.h"
#include "SystemCallWatch.h"

// Runs `audioThread` once unwatched, so every path has run before; then watched, expecting no
// allocation, release or lock; then under the system-call filter, expecting no system call (the
// test is marked skipped where no filter can be installed).
inline void expectRealTimeSafe(const std::function<void()>& audioThread) {
    audioThread();
    WatchedSection section;
    audioThread();
    const WatchedCalls calls = section.stop();
    EXPECT_TRUE(calls.none()) << calls.allocations << " allocations, " << calls.releases
                              << " releases, " << calls.locks << " locks";

    const SystemCallReport report = countSystemCalls(audioThread);
    if (!report.filterInstalled) GTEST_SKIP() << "no seccomp filter here: " << report.whyNot;
    EXPECT_EQ(report.calls, 0) << "the first was system call number " << report.firstCallNumber;
}
