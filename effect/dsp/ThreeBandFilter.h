// Splits a signal into three bands with two cascades of four one-pole low-passes and gives each
// band its own gain. Gains of 1, 1, 1 give the input back three samples late; the low-pass and
// high-pass amounts of the echo are made by lowering the upper or the lower bands.
#pragma once

#include <emmintrin.h>

#include <cstdint>

class ThreeBandFilter {
public:
    // Clears the state and sets the split frequencies; all gains become 1.
    void init(std::int32_t lowFreq, std::int32_t highFreq, std::int32_t sampleRate);

    void setGains(double low, double mid, double high) {
        lowGain = low;
        midGain = mid;
        highGain = high;
    }

    double processSample(double x) {
        // A tiny constant keeps the first stage away from subnormal numbers in silence.
        constexpr double kAntiDenormal = 2.3283064370807974e-10;  // 1 / 4294967295
        lowPoles[0] = (lowPoles[0] + kAntiDenormal) + (x - lowPoles[0]) * lowCoef;
        lowPoles[1] = (lowPoles[0] - lowPoles[1]) * lowCoef + lowPoles[1];
        lowPoles[2] = (lowPoles[1] - lowPoles[2]) * lowCoef + lowPoles[2];
        lowPoles[3] = (lowPoles[2] - lowPoles[3]) * lowCoef + lowPoles[3];
        double low = lowPoles[3];

        highPoles[0] = (highPoles[0] + kAntiDenormal) + (x - highPoles[0]) * highCoef;
        highPoles[1] = (highPoles[0] - highPoles[1]) * highCoef + highPoles[1];
        highPoles[2] = (highPoles[1] - highPoles[2]) * highCoef + highPoles[2];
        highPoles[3] = (highPoles[2] - highPoles[3]) * highCoef + highPoles[3];

        // The high band is measured against the input delayed by the cascade's three samples.
        double high = history[2] - highPoles[3];
        double mid = highPoles[3] - low;

        low *= lowGain;
        mid *= midGain;
        high *= highGain;

        history[2] = history[1];
        history[1] = history[0];
        history[0] = x;
        return (high + low) + mid;
    }

    double lowCoefficient() const { return lowCoef; }
    double highCoefficient() const { return highCoef; }

private:
    friend class ThreeBandFilterPair;
    friend class FilterLanes;

    double lowCoef = 0.0;
    double lowPoles[4] = {};
    double highCoef = 0.0;
    double highPoles[4] = {};
    double history[3] = {};
    double lowGain = 1.0;
    double midGain = 1.0;
    double highGain = 1.0;
};

// Two filters with the same splits run side by side, the left channel's in the low half of each
// SSE2 register and the right channel's in the high half: one instruction does the work of two.
// Each half goes through exactly the operations of processSample, in the same order and with the
// same rounding, so both give the same results to the last bit.
class ThreeBandFilterPair {
public:
    ThreeBandFilterPair(const ThreeBandFilter& left, const ThreeBandFilter& right)
        : lowCoef(both(left.lowCoef, right.lowCoef)),
          highCoef(both(left.highCoef, right.highCoef)),
          lowGain(both(left.lowGain, right.lowGain)),
          midGain(both(left.midGain, right.midGain)),
          highGain(both(left.highGain, right.highGain)) {
        for (int k = 0; k < 4; ++k) {
            lowPoles[k] = both(left.lowPoles[k], right.lowPoles[k]);
            highPoles[k] = both(left.highPoles[k], right.highPoles[k]);
        }
        for (int k = 0; k < 3; ++k) history[k] = both(left.history[k], right.history[k]);
    }

    // Gives the state back to the two filters it came from (coefficients and gains do not change).
    void storeTo(ThreeBandFilter& left, ThreeBandFilter& right) const {
        for (int k = 0; k < 4; ++k) {
            split(lowPoles[k], left.lowPoles[k], right.lowPoles[k]);
            split(highPoles[k], left.highPoles[k], right.highPoles[k]);
        }
        for (int k = 0; k < 3; ++k) split(history[k], left.history[k], right.history[k]);
    }

    __m128d processSample(__m128d x) {
        const __m128d antiDenormal = _mm_set1_pd(2.3283064370807974e-10);
        lowPoles[0] = _mm_add_pd(_mm_add_pd(lowPoles[0], antiDenormal),
                                 _mm_mul_pd(_mm_sub_pd(x, lowPoles[0]), lowCoef));
        for (int k = 1; k < 4; ++k) lowPoles[k] = follow(lowPoles[k - 1], lowPoles[k], lowCoef);
        __m128d low = lowPoles[3];

        highPoles[0] = _mm_add_pd(_mm_add_pd(highPoles[0], antiDenormal),
                                  _mm_mul_pd(_mm_sub_pd(x, highPoles[0]), highCoef));
        for (int k = 1; k < 4; ++k) highPoles[k] = follow(highPoles[k - 1], highPoles[k], highCoef);

        __m128d high = _mm_sub_pd(history[2], highPoles[3]);
        __m128d mid = _mm_sub_pd(highPoles[3], low);

        low = _mm_mul_pd(low, lowGain);
        mid = _mm_mul_pd(mid, midGain);
        high = _mm_mul_pd(high, highGain);

        history[2] = history[1];
        history[1] = history[0];
        history[0] = x;
        return _mm_add_pd(_mm_add_pd(high, low), mid);
    }

private:
    static __m128d both(double left, double right) { return _mm_set_pd(right, left); }
    static void split(__m128d v, double& left, double& right) {
        left = _mm_cvtsd_f64(v);
        right = _mm_cvtsd_f64(_mm_unpackhi_pd(v, v));
    }
    // One later stage: (previous − own) × coefficient + own.
    static __m128d follow(__m128d previous, __m128d own, __m128d coef) {
        return _mm_add_pd(_mm_mul_pd(_mm_sub_pd(previous, own), coef), own);
    }

    __m128d lowCoef;
    __m128d lowPoles[4];
    __m128d highCoef;
    __m128d highPoles[4];
    __m128d history[3];
    __m128d lowGain, midGain, highGain;
};
