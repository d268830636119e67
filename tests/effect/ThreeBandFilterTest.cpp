#include <gtest/gtest.h>

#include <cmath>

#include "SineTable.h"
#include "ThreeBandFilter.h"

namespace {
ThreeBandFilter filterAt(int rate, double low, double mid, double high) {
    ThreeBandFilter filter;
    filter.init(600, 1800, rate);
    filter.setGains(low, mid, high);
    return filter;
}
}  // namespace

TEST(ThreeBandFilter, FullLowPassGivesTheKnownStepResponse) {
    ThreeBandFilter filter = filterAt(44100, 1.0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(filter.lowCoefficient(), 0.08545948722983356);
    EXPECT_EQ(filter.lowCoefficient(), 0.08545948722983356);
    EXPECT_EQ(filter.processSample(1.0), 5.33385409747694e-05);
    EXPECT_EQ(filter.processSample(1.0), 0.000248459567428682);
    EXPECT_EQ(filter.processSample(1.0), 0.0006945747763921881);
    EXPECT_EQ(filter.processSample(1.0), 0.0015105556403122973);
}

TEST(ThreeBandFilter, AllGainsAtOneGiveTheInputThreeSamplesLate) {
    ThreeBandFilter filter = filterAt(44100, 1.0, 1.0, 1.0);
    EXPECT_EQ(filter.processSample(1.0), 0.0);
    EXPECT_EQ(filter.processSample(1.0), 0.0);
    EXPECT_EQ(filter.processSample(1.0), 0.0);
    EXPECT_EQ(filter.processSample(1.0), 1.0);
}

TEST(ThreeBandFilter, InitClearsTheStateItHadBefore) {
    ThreeBandFilter filter = filterAt(44100, 1.0, 0.0, 0.0);
    for (int i = 0; i < 100; ++i) filter.processSample(0.7);
    filter.init(600, 1800, 44100);
    filter.setGains(1.0, 0.0, 0.0);
    EXPECT_EQ(filter.processSample(1.0), 5.33385409747694e-05);
}

// Rates where a split lies at or above half the rate, and rates that are not rates at all, must
// leave the filter stable: the echo runs through it for minutes.
TEST(ThreeBandFilter, StaysFiniteAndBoundedWhereTheSplitIsAboveHalfTheRate) {
    for (int rate : {-1, 0, 1, 1000, 3600, 8000, 11025, 12000, 16000, 22050, 36999, 37000}) {
        ThreeBandFilter filter;
        filter.init(6000, 18500, rate);
        EXPECT_TRUE(std::isfinite(filter.lowCoefficient())) << rate;
        EXPECT_TRUE(std::isfinite(filter.highCoefficient())) << rate;
        double largest = 0.0;
        for (int i = 0; i < 200000; ++i) {
            const double x = (i % 2 == 0) ? 1.0 : -1.0;  // all energy at half the rate
            largest = std::max(largest, std::fabs(filter.processSample(x)));
        }
        EXPECT_LT(largest, 1e6) << "rate " << rate;
    }
}

TEST(SineTable, HoldsTheAccumulatedHalfSine) {
    const SineTable& table = SineTable::shared();
    EXPECT_EQ(table[0], 0.0);
    EXPECT_EQ(table[1], 1.7453293347989705e-05);
    EXPECT_EQ(table[179691], 3.7550581154468236e-05);
    EXPECT_EQ(table[90038], 0.9999999999957091);
    int peak = 0;
    for (int i = 0; i < SineTable::kSize; ++i) {
        if (table[i] > table[peak]) peak = i;
    }
    EXPECT_EQ(peak, 90038);
}

TEST(SineTable, IsOneTableSharedByEveryone) {
    EXPECT_EQ(&SineTable::shared(), &SineTable::shared());
}
