// The echo's arithmetic for one frame and nothing around it: the same filters, sine table,
// delay-line read and write and output formula as the signal path, with the settings fixed for
// the whole run in plain fields, no requests from other threads, no value guards and no host
// interface. It computes the same samples, so the signal path's cost is measured against it.
#pragma once

#include <cstdint>
#include <vector>

#include "FactoryPrograms.h"
#include "SineTable.h"
#include "ThreeBandFilter.h"

class FloorEcho {
public:
    // The settings a program gives after the effect has applied it at this rate; with
    // filtersOff, both filter amounts are 0.
    FloorEcho(const FactoryProgram& program, bool filtersOff, float sampleRate);

    void process(const float* inL, const float* inR, float* outL, float* outR, std::int32_t frames);

private:
    std::vector<float> lineL, lineR;
    std::int32_t writePos = 0;
    bool panPhase = false;
    std::int32_t delaySamples;
    float feedBack;
    float gainL = 1.0f, gainR = 1.0f;
    bool lowPassOn, highPassOn, lowPassInLoop, highPassInLoop;
    double panDepth, mix;
    ThreeBandFilter lowPassL, lowPassR, highPassL, highPassR;
    const SineTable& sineTable;
};

inline FloorEcho::FloorEcho(const FactoryProgram& program, bool filtersOff, float sampleRate)
    : lineL(192000), lineR(192000), sineTable(SineTable::shared()) {
    // Every value goes through the host's single precision, as a program change does.
    const double lowPass = filtersOff ? 0.0 : static_cast<float>(program.lowPass);
    const double highPass = filtersOff ? 0.0 : static_cast<float>(program.highPass);
    const double pan = static_cast<float>(program.pan);
    delaySamples = static_cast<std::int32_t>((sampleRate + -1.0f) * program.delayTime);
    feedBack = program.feedBack;
    lowPassOn = lowPass > 0.0;
    highPassOn = highPass > 0.0;
    lowPassInLoop = program.lowPassType;
    highPassInLoop = program.highPassType;
    panDepth = static_cast<float>(program.panDepth);
    mix = static_cast<float>(program.mix);
    if (pan < 0.5) gainR = static_cast<float>(pan + pan);
    if (pan > 0.5) gainL = static_cast<float>((1.0 - pan) + (1.0 - pan));

    const auto rate = static_cast<std::int32_t>(sampleRate);
    lowPassL.init(600, 1800, rate);
    lowPassL.setGains(1.0, 1.0 - lowPass, 1.0 - lowPass);
    lowPassR = lowPassL;
    highPassL.init(6000, 18500, rate);
    highPassL.setGains(1.0 - highPass, 1.0, 1.0);
    highPassR = highPassL;
}

inline void FloorEcho::process(const float* inL, const float* inR, float* outL, float* outR,
                               std::int32_t frames) {
    float* const left = lineL.data();
    float* const right = lineR.data();
    for (std::int32_t i = 0; i < frames; ++i) {
        float dL = left[writePos];
        float dR = right[writePos];
        const float xL = inL[i];
        const float xR = inR[i];
        if (lowPassOn && lowPassInLoop) {
            dL = static_cast<float>(lowPassL.processSample(dL));
            dR = static_cast<float>(lowPassR.processSample(dR));
        }
        if (highPassOn && highPassInLoop) {
            dL = static_cast<float>(highPassL.processSample(dL));
            dR = static_cast<float>(highPassR.processSample(dR));
        }
        const double pos = delaySamples > 0 ? static_cast<double>(writePos) / delaySamples : 0.0;
        const auto k = static_cast<std::int32_t>(pos * static_cast<double>(SineTable::kSize));
        left[writePos] = feedBack * dL + xL;
        right[writePos] = feedBack * dR + xR;
        if (++writePos >= delaySamples) {
            writePos = 0;
            panPhase = !panPhase;
        }
        if (lowPassOn && !lowPassInLoop) {
            dL = static_cast<float>(lowPassL.processSample(dL));
            dR = static_cast<float>(lowPassR.processSample(dR));
        }
        if (highPassOn && !highPassInLoop) {
            dL = static_cast<float>(highPassL.processSample(dL));
            dR = static_cast<float>(highPassR.processSample(dR));
        }
        const double eL = static_cast<double>(dR * gainL);
        const double eR = static_cast<double>(dL * gainR);
        const double m = panDepth * sineTable[k];
        if (panPhase) {
            outL[i] = static_cast<float>(eL * mix * (1.0 - m) + xL);
            outR[i] = static_cast<float>(eR * mix + xR);
        } else {
            outL[i] = static_cast<float>(eL * mix + xL);
            outR[i] = static_cast<float>(eR * mix * (1.0 - m) + xR);
        }
    }
}
