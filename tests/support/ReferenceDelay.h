// The echo written the plainest way: one thread, plain fields, every step in the order the
// algorithm gives, no guards. For settings and signals where the guards never act, the effect
// must produce exactly these samples. The filters are its own too, coefficients included, so a
// fault in the effect's filter set-up shows as a sample that differs.
#pragma once

#include "StereoBuffer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FactoryPrograms.h"
#include "SineTable.h"

// Two cascades of four one-pole stages and three band gains, each step as the algorithm gives it.
struct ReferenceFilter {
    double lowCoef = 0, lowPoles[4] = {}, highCoef = 0, highPoles[4] = {}, history[3] = {};
    double lowGain = 1, midGain = 1, highGain = 1;

    // 2·sin(π·f/rate) in double, dividing first. Where that gives no stable stage (c ≤ 0,
    // c ≥ 2 or no number), the stages follow their input: c = 1.
    static double coefficient(int freq, int rate) {
        const double c = 2.0 * std::sin((double(freq) / double(rate)) * 3.141592653589793);
        return (c > 0.0 && c < 2.0) ? c : 1.0;
    }

    void init(int lowFreq, int highFreq, int rate) {
        *this = ReferenceFilter{};
        lowCoef = coefficient(lowFreq, rate);
        highCoef = coefficient(highFreq, rate);
    }

    static double cascade(double (&poles)[4], double coef, double x) {
        poles[0] = (poles[0] + 2.3283064370807974e-10) + (x - poles[0]) * coef;
        for (int k = 1; k < 4; ++k) poles[k] = (poles[k - 1] - poles[k]) * coef + poles[k];
        return poles[3];
    }

    double processSample(double x) {
        double low = cascade(lowPoles, lowCoef, x);
        const double highCascade = cascade(highPoles, highCoef, x);
        double high = history[2] - highCascade;
        double mid = highCascade - low;
        low *= lowGain;
        mid *= midGain;
        high *= highGain;
        history[2] = history[1];
        history[1] = history[0];
        history[0] = x;
        return (high + low) + mid;
    }
};

class ReferenceDelay {
public:
    explicit ReferenceDelay(float rate = 44100.0f) : sampleRate(rate) {
        setupFilters(static_cast<int>(rate));
        lastSampleRate = static_cast<int>(rate);
        std::copy(kFactoryPrograms.begin(), kFactoryPrograms.end(), programs.begin());
        setProgram(0);
    }

    void setSampleRate(float rate) { sampleRate = rate; }

    // Every change is also written into the current program's memory.
    void setParameter(int index, float value) {
        const double wide = value;
        EchoValues<Plain>& cur = programs[current].values;
        switch (index) {
            case 0:
                delayTime = cur.delayTime = value;
                writePos = 0;
                delaySamples = static_cast<int>((sampleRate + -1.0f) * value);
                std::fill(lineL.begin(), lineL.end(), 0.0f);
                std::fill(lineR.begin(), lineR.end(), 0.0f);
                break;
            case 1:
                feedBack = cur.feedBack = value;
                break;
            case 2:
                lowPass = cur.lowPass = wide;
                lowPassL.midGain = lowPassL.highGain = 1.0 - wide;
                lowPassR.midGain = lowPassR.highGain = 1.0 - wide;
                break;
            case 3:
                highPass = cur.highPass = wide;
                highPassL.lowGain = 1.0 - wide;
                highPassR.lowGain = 1.0 - wide;
                break;
            case 4:
                lowPassInLoop = cur.lowPassInLoop = value != 0.0f;
                break;
            case 5:
                highPassInLoop = cur.highPassInLoop = value != 0.0f;
                break;
            case 6:
                pan = cur.pan = wide;
                break;
            case 7:
                panWidth = cur.panWidth = wide;
                break;
            case 8:
                mix = cur.mix = wide;
                break;
            default:
                break;
        }
    }

    void setProgram(int index) {
        if (static_cast<unsigned>(index) >= programs.size()) return;
        current = index;
        const EchoValues<Plain> p = programs[index].values;
        setParameter(0, p.delayTime);
        setParameter(1, p.feedBack);
        setParameter(2, static_cast<float>(p.lowPass));
        setParameter(3, static_cast<float>(p.highPass));
        setParameter(4, p.lowPassInLoop ? 1.0f : 0.0f);
        setParameter(5, p.highPassInLoop ? 1.0f : 0.0f);
        setParameter(6, static_cast<float>(p.pan));
        setParameter(7, static_cast<float>(p.panWidth));
        setParameter(8, static_cast<float>(p.mix));
    }

    // `input` in blocks of `blockSize`, as a host calls the effect.
    StereoBuffer run(StereoBuffer input, int blockSize = 512) {
        return inBlocks(std::move(input), blockSize, [this](float** in, float** out, int frames) {
            process(in[0], in[1], out[0], out[1], frames);
        });
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
    // Frames processed so far, and the first in which the effect's guards would have acted (a
    // line or output value beyond ±10000): up to that frame the effect must give these samples.
    std::size_t framesDone = 0;
    std::size_t firstGuardedFrame = SIZE_MAX;

private:
    void setupFilters(int rate) {
        for (ReferenceFilter* f : {&lowPassL, &lowPassR}) {
            f->init(600, 1800, rate);
            f->midGain = f->highGain = 0.0;
        }
        for (ReferenceFilter* f : {&highPassL, &highPassR}) {
            f->init(6000, 18500, rate);
            f->lowGain = 0.0;
        }
    }

    void frame(float xL, float xR, float& yL, float& yR) {
        float dL = lineL[writePos];
        float dR = lineR[writePos];
        float gainL = 1.0f, gainR = 1.0f;
        if (pan < 0.5) gainR = static_cast<float>(pan + pan);
        if (pan > 0.5) gainL = static_cast<float>((1.0 - pan) + (1.0 - pan));
        if (lowPass > 0 && lowPassInLoop) {
            dL = static_cast<float>(lowPassL.processSample(dL));
            dR = static_cast<float>(lowPassR.processSample(dR));
        }
        if (highPass > 0 && highPassInLoop) {
            dL = static_cast<float>(highPassL.processSample(dL));
            dR = static_cast<float>(highPassR.processSample(dR));
        }
        const double pos = delaySamples > 0 ? double(writePos) / double(delaySamples) : 0.0;
        const int k = std::clamp(static_cast<int>(pos * 179692.0), 0, 179691);
        lineL[writePos] = feedBack * dL + xL;
        lineR[writePos] = feedBack * dR + xR;
        noteGuard(lineL[writePos]);
        noteGuard(lineR[writePos]);
        if (++writePos >= delaySamples) {
            writePos = 0;
            panPhase = !panPhase;
        }
        if (lowPass > 0 && !lowPassInLoop) {
            dL = static_cast<float>(lowPassL.processSample(dL));
            dR = static_cast<float>(lowPassR.processSample(dR));
        }
        if (highPass > 0 && !highPassInLoop) {
            dL = static_cast<float>(highPassL.processSample(dL));
            dR = static_cast<float>(highPassR.processSample(dR));
        }
        const double eL = dR * gainL;
        const double eR = dL * gainR;
        const double m = panWidth * SineTable::shared()[k];
        if (panPhase) {
            yL = static_cast<float>(eL * mix * (1 - m) + xL);
            yR = static_cast<float>(eR * mix + xR);
        } else {
            yL = static_cast<float>(eL * mix + xL);
            yR = static_cast<float>(eR * mix * (1 - m) + xR);
        }
        noteGuard(yL);
        noteGuard(yR);
        ++framesDone;
    }

    // The effect holds every value it writes within ±10000; beyond that the two part ways.
    void noteGuard(float value) {
        if (!(std::fabs(value) <= 10000.0f) && framesDone < firstGuardedFrame) {
            firstGuardedFrame = framesDone;
        }
    }

    float sampleRate;
    int lastSampleRate;
    float delayTime = 0, feedBack = 0;
    double lowPass = 0, highPass = 0, pan = 0, panWidth = 0, mix = 0;
    bool lowPassInLoop = false, highPassInLoop = false, panPhase = false;
    int writePos = 0;
    std::vector<float> lineL = std::vector<float>(192000), lineR = std::vector<float>(192000);
    ReferenceFilter lowPassL, lowPassR, highPassL, highPassR;
    std::array<FactoryProgram, kNumPrograms> programs;
    int current = 0;
};
