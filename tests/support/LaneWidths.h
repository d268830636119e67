// Runs a test once with the filters two lanes wide (SSE2, every x86-64 processor) and once four
// lanes wide (AVX2): both must give the same samples. The four-lane run is skipped where the
// processor lacks AVX2. The choice applies to effects made during the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "SignalPath.h"

class OnEachLaneWidth : public ::testing::TestWithParam<SignalPath::Lanes> {
protected:
    void SetUp() override {
        if (GetParam() == SignalPath::Lanes::Four &&
            SignalPath::widestLanes() != SignalPath::Lanes::Four) {
            GTEST_SKIP() << "this processor has no AVX2";
        }
        SignalPath::chooseLanes(GetParam());
    }
    // Back to the widest, the default.
    void TearDown() override { SignalPath::chooseLanes(SignalPath::Lanes::Four); }
};

inline std::string laneWidthName(const ::testing::TestParamInfo<SignalPath::Lanes>& info) {
    return info.param == SignalPath::Lanes::Four ? "FourLanes" : "TwoLanes";
}

#define ZV_ON_EACH_LANE_WIDTH(Suite)                                                             \
    INSTANTIATE_TEST_SUITE_P(, Suite,                                                            \
                             ::testing::Values(SignalPath::Lanes::Two, SignalPath::Lanes::Four), \
                             laneWidthName)
