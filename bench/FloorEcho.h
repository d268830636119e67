// The echo's arithmetic for one frame and nothing around it: the same filters, sine table,
// delay-line read and write and output formula as the signal path, with the settings fixed for
// the whole run in plain fields, no requests from other threads, no value guards and no host
// interface. It computes the same samples, so the signal path's cost is measured against it.
//
// The line write-back and the outputs come from the signal path's own frame step (EchoFrame.h)
// rather than a copy written out here: the floor is a yardstick for what the arithmetic costs,
// not a second statement of it. The independent statement is the tests' reference echo, which
// the effect must match sample for sample in every test run; a copy here would be checked only
// when the benchmarks run, and would only drift.
#pragma once

#include <cstdint>
#include <vector>

#include <immintrin.h>

#include "EchoFrame.h"
#include "FactoryPrograms.h"
#include "FilterLanes.h"
#include "SineTable.h"
#include "ThreeBandFilter.h"

class FloorEcho {
public:
    // The settings a program gives after the effect has applied it at this rate; with
    // filtersOff, both filter amounts are 0. The delay must come to at least one sample, as every
    // program's does at the rates benchmarked.
    FloorEcho(const FactoryProgram& program, bool filtersOff, float sampleRate);

    void process(const float* inL, const float* inR, float* outL, float* outR, std::int32_t frames);

private:
    friend class FloorEchoFourLanes;

    std::vector<float> lineL, lineR;
    std::int32_t writePos = 0;
    bool panPhase = false;
    std::int32_t delaySamples;
    EchoLevels levels;
    bool lowPassOn, highPassOn, lowPassInLoop, highPassInLoop;
    ThreeBandFilter lowPassL, lowPassR, highPassL, highPassR;
    const SineTable& sineTable;
};

inline FloorEcho::FloorEcho(const FactoryProgram& factory, bool filtersOff, float sampleRate)
    : lineL(192000), lineR(192000), sineTable(SineTable::shared()) {
    const EchoValues<Plain>& program = factory.values;
    // Every value goes through the host's single precision, as a program change does.
    const double lowPass = filtersOff ? 0.0 : static_cast<float>(program.lowPass);
    const double highPass = filtersOff ? 0.0 : static_cast<float>(program.highPass);
    const double pan = static_cast<float>(program.pan);
    delaySamples = static_cast<std::int32_t>((sampleRate + -1.0f) * program.delayTime);
    levels.feedBack = program.feedBack;
    lowPassOn = lowPass > 0.0;
    highPassOn = highPass > 0.0;
    lowPassInLoop = program.lowPassInLoop;
    highPassInLoop = program.highPassInLoop;
    levels.panWidth = static_cast<float>(program.panWidth);
    levels.mix = static_cast<float>(program.mix);
    levels.gainL = pan > 0.5 ? static_cast<float>((1.0 - pan) + (1.0 - pan)) : 1.0f;
    levels.gainR = pan < 0.5 ? static_cast<float>(pan + pan) : 1.0f;

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
        const std::int32_t k = sineIndexWithinLine(writePos, delaySamples);
        left[writePos] = writtenBack(levels.feedBack, dL, xL);
        right[writePos] = writtenBack(levels.feedBack, dR, xR);
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
        const StereoFrame out = frameOutputs(levels, {dL, dR}, {xL, xR}, sineTable[k], panPhase);
        outL[i] = out.left;
        outR[i] = out.right;
    }
}

// The same arithmetic with the four filters in the four lanes of one AVX register, skewed as
// FilterLanes runs them, and everything around them written plainly: the shape the four-lane
// signal path is measured against. Needs AVX2 and blocks no longer than the line.
class FloorEchoFourLanes {
public:
    FloorEchoFourLanes(const FactoryProgram& program, bool filtersOff, float sampleRate);

    __attribute__((target("avx2"))) void process(const float* inL, const float* inR, float* outL,
                                                 float* outR, std::int32_t frames);

private:
    FloorEcho settings;  // the plain floor's settings and filters, used as they are
    std::vector<float> read, first, second;
    ThreeBandFilter* chain[2][2] = {};
    int filters = 0, inLoop = 0;
};

inline FloorEchoFourLanes::FloorEchoFourLanes(const FactoryProgram& program, bool filtersOff,
                                              float sampleRate)
    : settings(program, filtersOff, sampleRate),
      read(2 * (FilterLanes::kHistoryRows + 4096)),
      first(2 * (FilterLanes::kHistoryRows + 4096)),
      second(2 * 4096) {
    FloorEcho& s = settings;
    for (bool inTheLoop : {true, false}) {
        if (s.lowPassOn && s.lowPassInLoop == inTheLoop) {
            chain[filters][0] = &s.lowPassL;
            chain[filters++][1] = &s.lowPassR;
        }
        if (s.highPassOn && s.highPassInLoop == inTheLoop) {
            chain[filters][0] = &s.highPassL;
            chain[filters++][1] = &s.highPassR;
        }
        if (inTheLoop) inLoop = filters;
    }
}

__attribute__((target("avx2"))) inline void FloorEchoFourLanes::process(const float* inL,
                                                                        const float* inR,
                                                                        float* outL, float* outR,
                                                                        std::int32_t frames) {
    FloorEcho& s = settings;
    constexpr std::int32_t h = FilterLanes::kHistoryRows;
    float* const echo = read.data() + 2 * h;
    float* const afterFirst = first.data() + 2 * h;
    const auto slot = [&](std::int32_t f) { return (s.writePos + f) % s.delaySamples; };
    for (std::int32_t f = 0; f < frames; ++f) {
        echo[2 * f] = s.lineL[slot(f)];
        echo[2 * f + 1] = s.lineR[slot(f)];
    }
    if (filters > 0) {
        ThreeBandFilter& secondL = *chain[filters - 1][0];
        ThreeBandFilter& secondR = *chain[filters - 1][1];
        FilterLanes lanes;
        lanes.load(*chain[0][0], *chain[0][1], secondL, secondR);
        FilterLanes::historyRows(*chain[0][0], *chain[0][1], read.data());
        if (filters == 2) {
            FilterLanes::historyRows(secondL, secondR, first.data());
            lanes.run<true>(read.data(), first.data(), second.data(), frames);
            lanes.storeSecond(secondL, secondR, first.data(), frames);
        } else {
            lanes.run<false>(read.data(), first.data(), second.data(), frames);
        }
        lanes.storeFirst(*chain[0][0], *chain[0][1], read.data(), frames);
    }
    const float* const written = inLoop == 0 ? echo : inLoop == 1 ? afterFirst : second.data();
    const float* const heard = filters == 0 ? echo : filters == 1 ? afterFirst : second.data();
    for (std::int32_t f = 0; f < frames; ++f) {
        const std::int32_t at = slot(f);
        const std::int32_t k = sineIndexWithinLine(at, s.delaySamples);
        const float xL = inL[f];
        const float xR = inR[f];
        s.lineL[at] = writtenBack(s.levels.feedBack, written[2 * f], xL);
        s.lineR[at] = writtenBack(s.levels.feedBack, written[2 * f + 1], xR);
        if (at + 1 >= s.delaySamples) s.panPhase = !s.panPhase;
        const StereoFrame out = frameOutputs(s.levels, {heard[2 * f], heard[2 * f + 1]}, {xL, xR},
                                             s.sineTable[k], s.panPhase);
        outL[f] = out.left;
        outR[f] = out.right;
    }
    s.writePos = slot(frames);
}

// What no shape can go below: the poles of the four filters alone, skewed across four lanes as
// FilterLanes runs them (each stage waits only for its own previous frame), without the bands,
// the lines or the outputs. It computes no audio.
class FloorPoles {
public:
    __attribute__((target("avx2"))) void process(const float* inL, const float* inR,
                                                 std::int32_t frames) {
        const __m256d coef = _mm256_setr_pd(0.0785, 0.0785, 0.7654, 0.7654);
        const __m256d antiDenormal = _mm256_set1_pd(2.3283064370807974e-10);
        __m256d low[4], high[4];
        for (int k = 0; k < 4; ++k) {
            low[k] = _mm256_loadu_pd(state + 4 * k);
            high[k] = _mm256_loadu_pd(state + 16 + 4 * k);
        }
        for (std::int32_t i = 0; i < frames; ++i) {
            const __m256d x = _mm256_setr_pd(inL[i], inR[i], inL[i], inR[i]);
#pragma GCC unroll 3
            for (int k = 3; k >= 1; --k) {
                low[k] =
                    _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(low[k - 1], low[k]), coef), low[k]);
                high[k] = _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(high[k - 1], high[k]), coef),
                                        high[k]);
            }
            low[0] = _mm256_add_pd(_mm256_add_pd(low[0], antiDenormal),
                                   _mm256_mul_pd(_mm256_sub_pd(x, low[0]), coef));
            high[0] = _mm256_add_pd(_mm256_add_pd(high[0], antiDenormal),
                                    _mm256_mul_pd(_mm256_sub_pd(x, high[0]), coef));
        }
        for (int k = 0; k < 4; ++k) {
            _mm256_storeu_pd(state + 4 * k, low[k]);
            _mm256_storeu_pd(state + 16 + 4 * k, high[k]);
        }
    }

private:
    double state[32] = {};
};
