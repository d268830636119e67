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

// A split keeps 2·sin(π·f/rate) to the last bit wherever that lies strictly between 0 and 2,
// also where the split lies between half the rate and the rate. Only where it does not (the
// split above the rate, exactly at half of it, no rate at all) the stages follow their input.
// Every rate leaves the filter finite and bounded: the echo runs through it for minutes.
TEST(ThreeBandFilter, SplitsKeepTheirCoefficientWhereverItIsStable) {
    constexpr double kFollow = 1.0;
    const struct {
        int rate;
        double low, high;  // for the splits at 6000 and 18500 Hz
    } cases[] = {
        {44100, 0.82906235338059087, 1.936384432812589},
        {32000, 1.1111404660392044, 1.9400625063890879},
        {24000, 1.4142135623730949, 1.3186916302001379},
        {22050, 1.508951701841629, 0.96899611803458263},
        {36999, 0.97541392898566492, 1.9999999981975642},
        {37000, 0.97538988762726908, kFollow},  // 18500 Hz exactly at half the rate
        {16000, 1.8477590650225735, kFollow},
        {12000, kFollow, kFollow},
        {11025, 1.9807339229896761, kFollow},
        {3600, kFollow, kFollow},
        {1, kFollow, kFollow},
        {0, kFollow, kFollow},
#ifdef _WIN32
        // mingw-w64's sin reduces an argument this large (-6000·π) with the x87's 66-bit π, and
        // misses glibc's value in the fifth digit: another coefficient, as finite and as kept.
        {-1, 2.0379618131949329e-12, 3.2520665847746155e-12},
#else
        {-1, 2.0380103475849039e-12, 3.2522162324770264e-12},
#endif
    };
    for (const auto& c : cases) {
        ThreeBandFilter filter;
        filter.init(6000, 18500, c.rate);
        EXPECT_EQ(filter.lowCoefficient(), c.low) << c.rate;
        EXPECT_EQ(filter.highCoefficient(), c.high) << c.rate;
        double largest = 0.0;
        for (int i = 0; i < 200000; ++i) {
            const double x = (i % 2 == 0) ? 1.0 : -1.0;  // all energy at half the rate
            largest = std::max(largest, std::fabs(filter.processSample(x)));
        }
        EXPECT_LT(largest, 1e6) << "rate " << c.rate;
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
