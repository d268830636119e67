// The echo written the plainest way: one thread, plain fields, every step in the order the
// algorithm gives, no guards. For settings and signals where the guards never act, the effect
// must produce exactly these samples.
#pragma once

#include <algorithm>
#include <vector>

#include "FactoryPrograms.h"
#include "SineTable.h"
#include "ThreeBandFilter.h"

class ReferenceDelay {
public:
    explicit ReferenceDelay(float rate = 44100.0f) : sampleRate(rate) {
        setupFilters(static_cast<int>(rate));
        lastSampleRate = static_cast<int>(rate);
        applyProgram(kFactoryPrograms[0]);
    }

    void setSampleRate(float rate) { sampleRate = rate; }

    void setParameter(int index, float value) {
        const double wide = value;
        switch (index) {
            case 0:
                delayTime = value;
                writePos = 0;
                delaySamples = static_cast<int>((sampleRate + -1.0f) * value);
                std::fill(lineL.begin(), lineL.end(), 0.0f);
                std::fill(lineR.begin(), lineR.end(), 0.0f);
                break;
            case 1: feedBack = value; break;
            case 2:
                lowPass = wide;
                lowPassL.setGains(1.0, 1.0 - wide, 1.0 - wide);
                lowPassR.setGains(1.0, 1.0 - wide, 1.0 - wide);
                break;
            case 3:
                highPass = wide;
                highPassL.setGains(1.0 - wide, 1.0, 1.0);
                highPassR.setGains(1.0 - wide, 1.0, 1.0);
                break;
            case 4: lowPassType = value != 0.0f; break;
            case 5: highPassType = value != 0.0f; break;
            case 6: pan = wide; break;
            case 7: panDepth = wide; break;
            case 8: mix = wide; break;
            default: break;
        }
    }

    void applyProgram(const FactoryProgram& p) {
        setParameter(0, p.delayTime);
        setParameter(1, p.feedBack);
        setParameter(2, static_cast<float>(p.lowPass));
        setParameter(3, static_cast<float>(p.highPass));
        setParameter(4, p.lowPassType ? 1.0f : 0.0f);
        setParameter(5, p.highPassType ? 1.0f : 0.0f);
        setParameter(6, static_cast<float>(p.pan));
        setParameter(7, static_cast<float>(p.panDepth));
        setParameter(8, static_cast<float>(p.mix));
    }

    void process(const float* inL, const float* inR, float* outL, float* outR, int n) {
        if (sampleRate != static_cast<float>(lastSampleRate)) {
            setupFilters(static_cast<int>(sampleRate));
            setParameter(2, static_cast<float>(lowPass));
            setParameter(3, static_cast<float>(highPass));
            writePos = 0;
            delaySamples = static_cast<int>((sampleRate + -1.0f) * delayTime);
            std::fill(lineL.begin(), lineL.end(), 0.0f);
            std::fill(lineR.begin(), lineR.end(), 0.0f);
        }
        for (int i = 0; i < n; ++i) frame(inL[i], inR[i], outL[i], outR[i]);
        lastSampleRate = static_cast<int>(sampleRate);
    }

    int delaySamples = 0;

private:
    void setupFilters(int rate) {
        for (ThreeBandFilter* f : {&lowPassL, &lowPassR}) {
            f->init(600, 1800, rate);
            f->setGains(1.0, 0.0, 0.0);
        }
        for (ThreeBandFilter* f : {&highPassL, &highPassR}) {
            f->init(6000, 18500, rate);
            f->setGains(0.0, 1.0, 1.0);
        }
    }

    void frame(float xL, float xR, float& yL, float& yR) {
        float dL = lineL[writePos];
        float dR = lineR[writePos];
        float gainL = 1.0f, gainR = 1.0f;
        if (pan < 0.5) gainR = static_cast<float>(pan + pan);
        if (pan > 0.5) gainL = static_cast<float>((1.0 - pan) + (1.0 - pan));
        if (lowPass > 0 && lowPassType) {
            dL = static_cast<float>(lowPassL.processSample(dL));
            dR = static_cast<float>(lowPassR.processSample(dR));
        }
        if (highPass > 0 && highPassType) {
            dL = static_cast<float>(highPassL.processSample(dL));
            dR = static_cast<float>(highPassR.processSample(dR));
        }
        const double pos = delaySamples > 0 ? double(writePos) / double(delaySamples) : 0.0;
        const int k = std::clamp(static_cast<int>(pos * 179692.0), 0, 179691);
        lineL[writePos] = feedBack * dL + xL;
        lineR[writePos] = feedBack * dR + xR;
        if (++writePos >= delaySamples) {
            writePos = 0;
            panPhase = !panPhase;
        }
        if (lowPass > 0 && !lowPassType) {
            dL = static_cast<float>(lowPassL.processSample(dL));
            dR = static_cast<float>(lowPassR.processSample(dR));
        }
        if (highPass > 0 && !highPassType) {
            dL = static_cast<float>(highPassL.processSample(dL));
            dR = static_cast<float>(highPassR.processSample(dR));
        }
        const double eL = dR * gainL;
        const double eR = dL * gainR;
        const double m = panDepth * SineTable::shared()[k];
        if (panPhase) {
            yL = static_cast<float>(eL * mix * (1 - m) + xL);
            yR = static_cast<float>(eR * mix + xR);
        } else {
            yL = static_cast<float>(eL * mix + xL);
            yR = static_cast<float>(eR * mix * (1 - m) + xR);
        }
    }

    float sampleRate;
    int lastSampleRate;
    float delayTime = 0, feedBack = 0;
    double lowPass = 0, highPass = 0, pan = 0, panDepth = 0, mix = 0;
    bool lowPassType = false, highPassType = false, panPhase = false;
    int writePos = 0;
    std::vector<float> lineL = std::vector<float>(192000), lineR = std::vector<float>(192000);
    ThreeBandFilter lowPassL, lowPassR, highPassL, highPassR;
};
