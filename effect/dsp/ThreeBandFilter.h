// Splits a signal into three bands with two cascades of four one-pole low-passes and gives each
// band its own gain. Gains of 1, 1, 1 give the input back three samples late; the low-pass and
// high-pass amounts of the echo are made by lowering the upper or the lower bands.
#pragma once

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
    double lowCoef = 0.0;
    double lowPoles[4] = {};
    double highCoef = 0.0;
    double highPoles[4] = {};
    double history[3] = {};
    double lowGain = 1.0;
    double midGain = 1.0;
    double highGain = 1.0;
};
