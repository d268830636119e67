// Four filters in the four lanes of one AVX register, for a chain of two filters on a stereo
// signal: lanes 0 and 1 are the first filter of the left and right channel, lanes 2 and 3 the
// second, which filters what the first gives out. Each lane goes through exactly the operations
// of ThreeBandFilter::processSample in the same order and precision, so every result is the
// scalar one to the last bit; the lanes only work on different frames at the same time.
//
// Why the frames are skewed: a stage of a cascade needs its own value of the previous frame and
// the value the stage before it has just made for this frame. Run frame by frame, the eight
// stages of a frame (and the second filter after the first) wait on each other, nine cycles per
// stage. Run skewed, each instruction of one loop step belongs to a different frame and nothing
// in a step waits for another part of the same step:
//   - in step i, stage k of every cascade works on frame i − k (stages updated from the last to
//     the first, so stage k still holds frame i − k of the stage before it, from step i − 1);
//   - the bands are combined for frame i − 3, right after stage 3 made it;
//   - the second filter's lanes run kSecondLag frames behind the first's, so their input, the
//     first filter's output, was made several steps earlier and is waiting in memory.
// Only the poles' own recurrence (one stage from one frame to the next) is left as a chain.
//
// The input and output are pairs of floats (left, right) with three rows of history in front:
// the filters' three last inputs, which are always widened floats here, so that the history is
// read from the rows rather than shifted in registers.
#pragma once

#include <immintrin.h>

#include <algorithm>
#include <cstdint>

#include "ThreeBandFilter.h"

class FilterLanes {
public:
    // The second filter's lanes work this many frames behind the first's (at least 4: the first
    // filter's output for a frame is ready three steps after its input).
    static constexpr std::int32_t kSecondLag = 8;
    // Rows in front of the first frame of each pair array: the filters' history.
    static constexpr std::int32_t kHistoryRows = 3;

    // Lanes 0 and 1 from `first` (left, right); lanes 2 and 3 from `second`, or copies of the
    // first pair's lanes when there is no second filter (their results are then not used).
    __attribute__((target("avx2"))) void load(const ThreeBandFilter& firstL,
                                              const ThreeBandFilter& firstR,
                                              const ThreeBandFilter& secondL,
                                              const ThreeBandFilter& secondR) {
        const ThreeBandFilter* f[4] = {&firstL, &firstR, &secondL, &secondR};
        lowCoef = _mm256_setr_pd(f[0]->lowCoef, f[1]->lowCoef, f[2]->lowCoef, f[3]->lowCoef);
        highCoef = _mm256_setr_pd(f[0]->highCoef, f[1]->highCoef, f[2]->highCoef, f[3]->highCoef);
        lowGain = _mm256_setr_pd(f[0]->lowGain, f[1]->lowGain, f[2]->lowGain, f[3]->lowGain);
        midGain = _mm256_setr_pd(f[0]->midGain, f[1]->midGain, f[2]->midGain, f[3]->midGain);
        highGain = _mm256_setr_pd(f[0]->highGain, f[1]->highGain, f[2]->highGain, f[3]->highGain);
        for (int k = 0; k < 4; ++k) {
            lowPoles[k] = _mm256_setr_pd(f[0]->lowPoles[k], f[1]->lowPoles[k], f[2]->lowPoles[k],
                                         f[3]->lowPoles[k]);
            highPoles[k] = _mm256_setr_pd(f[0]->highPoles[k], f[1]->highPoles[k],
                                          f[2]->highPoles[k], f[3]->highPoles[k]);
        }
    }

    // The filters' history as the rows in front of the first frame: row 2 the newest input.
    static void historyRows(const ThreeBandFilter& left, const ThreeBandFilter& right,
                            float* pairs) {
        for (int k = 0; k < 3; ++k) {
            pairs[2 * (2 - k)] = static_cast<float>(left.history[k]);
            pairs[2 * (2 - k) + 1] = static_cast<float>(right.history[k]);
        }
    }

    // Runs `frames` frames (at least 1) through the chain. firstIn holds the first filter's input
    // pairs, firstOut receives its output pairs (the second filter's input), secondOut the second
    // filter's; the first two with kHistoryRows rows in front, all with room for `frames` pairs.
    // With kTwo false only the first filter runs and secondOut is not touched.
    template <bool kTwo>
    __attribute__((target("avx2"))) void run(float* firstIn, float* firstOut, float* secondOut,
                                             std::int32_t frames);

    // Gives the state of the lanes back to the filters (poles, and history from the rows).
    __attribute__((target("avx2"))) void storeFirst(ThreeBandFilter& left, ThreeBandFilter& right,
                                                    const float* firstIn,
                                                    std::int32_t frames) const {
        storeLanes(0, left, right, firstIn, frames);
    }
    __attribute__((target("avx2"))) void storeSecond(ThreeBandFilter& left, ThreeBandFilter& right,
                                                     const float* firstOut,
                                                     std::int32_t frames) const {
        storeLanes(2, left, right, firstOut, frames);
    }

private:
    __attribute__((target("avx2"))) void storeLanes(int lane, ThreeBandFilter& left,
                                                    ThreeBandFilter& right, const float* in,
                                                    std::int32_t frames) const {
        alignas(32) double values[4];
        for (int k = 0; k < 4; ++k) {
            _mm256_store_pd(values, lowPoles[k]);
            left.lowPoles[k] = values[lane];
            right.lowPoles[k] = values[lane + 1];
            _mm256_store_pd(values, highPoles[k]);
            left.highPoles[k] = values[lane];
            right.highPoles[k] = values[lane + 1];
        }
        // The last three input rows: frames − 1 (newest) back to frames − 3, or history rows.
        for (int k = 0; k < 3; ++k) {
            const float* pair = in + 2 * (kHistoryRows + frames - 1 - k);
            left.history[k] = static_cast<double>(pair[0]);
            right.history[k] = static_cast<double>(pair[1]);
        }
    }

    // One loop step i (see the top of the file). Masked: a stage or combination whose frame lies
    // outside 0..frames−1 for its lanes leaves its state as it was and stores nothing.
    // The state as the loop keeps it: a local copy, which no store through the sample pointers
    // can reach, so it stays in registers.
    struct Registers {
        __m256d lowCoef, lowPoles[4], highCoef, highPoles[4];
        __m256d lowGain, midGain, highGain;
    };
    template <bool kTwo, bool kMasked>
    __attribute__((target("avx2"), always_inline)) static inline void step(
        Registers& r, float* firstIn, float* firstOut, float* secondOut, std::int32_t i,
        std::int32_t frames);

    // One later stage: (previous − own) × coefficient + own.
    __attribute__((target("avx2"), always_inline)) static inline __m256d follow(__m256d previous,
                                                                                __m256d own,
                                                                                __m256d coef) {
        return _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(previous, own), coef), own);
    }
    // A pair of floats for lanes 0 and 1 and another for lanes 2 and 3, widened.
    __attribute__((target("avx2"), always_inline)) static inline __m256d pairsOf(const float* lo,
                                                                                 const float* hi) {
        const __m128 low = _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lo)));
        return _mm256_cvtps_pd(_mm_loadh_pi(low, reinterpret_cast<const __m64*>(hi)));
    }

    __m256d lowCoef, lowPoles[4], highCoef, highPoles[4];
    __m256d lowGain, midGain, highGain;
};

template <bool kTwo, bool kMasked>
__attribute__((target("avx2"), always_inline)) inline void FilterLanes::step(
    Registers& r, float* firstIn, float* firstOut, float* secondOut, std::int32_t i,
    std::int32_t frames) {
    __m256d* const lowPoles = r.lowPoles;
    __m256d* const highPoles = r.highPoles;
    const __m256d lowCoef = r.lowCoef;
    const __m256d highCoef = r.highCoef;
    constexpr std::int32_t lag = kTwo ? kSecondLag : 0;
    constexpr std::int32_t h = kHistoryRows;
    // Row of the first filter's input for stage 0 (frame i) and for the combination's oldest
    // history (frame i − 3 needs the input of frame i − 6, row i − 3); the second filter's rows
    // lag behind. Masked steps clamp the rows to ones already written; what they read then is
    // thrown away.
    std::int32_t rowFirst = h + i, rowSecond = h + i - lag;
    std::int32_t oldFirst = i - 3, oldSecond = i - 3 - lag;
    if constexpr (kMasked) {
        const std::int32_t last = h + frames - 1;
        rowFirst = std::clamp(rowFirst, 0, last);
        // The second filter's input rows are written up to row i − 1 by now (rows 0..2 before).
        const std::int32_t written = std::min(last, std::max(i - 1, h - 1));
        rowSecond = std::clamp(rowSecond, 0, written);
        oldFirst = std::clamp(oldFirst, 0, last);
        oldSecond = std::clamp(oldSecond, 0, written);
    }
    const float* secondSource = kTwo ? firstOut : firstIn;
    if constexpr (!kTwo) {
        rowSecond = rowFirst;
        oldSecond = oldFirst;
    }
    const __m256d x = pairsOf(firstIn + 2 * rowFirst, secondSource + 2 * rowSecond);
    const __m256d oldest = pairsOf(firstIn + 2 * oldFirst, secondSource + 2 * oldSecond);

    __m256d active[4] = {};
    if constexpr (kMasked) {
        // Lane time: the frame stage 0 of each lane works on in this step.
        const __m256d laneTime = _mm256_sub_pd(_mm256_set1_pd(static_cast<double>(i)),
                                               _mm256_setr_pd(0.0, 0.0, lag, lag));
        const __m256d end = _mm256_set1_pd(static_cast<double>(frames));
#pragma GCC unroll 4
        for (int k = 0; k < 4; ++k) {
            const __m256d frame = _mm256_sub_pd(laneTime, _mm256_set1_pd(k));
            active[k] = _mm256_and_pd(_mm256_cmp_pd(frame, _mm256_setzero_pd(), _CMP_GE_OQ),
                                      _mm256_cmp_pd(frame, end, _CMP_LT_OQ));
        }
    }
    const __m256d antiDenormal = _mm256_set1_pd(2.3283064370807974e-10);

    // Last stage first: stage k reads stage k − 1 as step i − 1 left it (frame i − k). Unrolled,
    // so that the poles stay in registers rather than in an array on the stack.
#pragma GCC unroll 3
    for (int k = 3; k >= 1; --k) {
        const __m256d lowK = follow(lowPoles[k - 1], lowPoles[k], lowCoef);
        const __m256d highK = follow(highPoles[k - 1], highPoles[k], highCoef);
        lowPoles[k] = kMasked ? _mm256_blendv_pd(lowPoles[k], lowK, active[k]) : lowK;
        highPoles[k] = kMasked ? _mm256_blendv_pd(highPoles[k], highK, active[k]) : highK;
    }
    const __m256d low0 = _mm256_add_pd(_mm256_add_pd(lowPoles[0], antiDenormal),
                                       _mm256_mul_pd(_mm256_sub_pd(x, lowPoles[0]), lowCoef));
    const __m256d high0 = _mm256_add_pd(_mm256_add_pd(highPoles[0], antiDenormal),
                                        _mm256_mul_pd(_mm256_sub_pd(x, highPoles[0]), highCoef));
    lowPoles[0] = kMasked ? _mm256_blendv_pd(lowPoles[0], low0, active[0]) : low0;
    highPoles[0] = kMasked ? _mm256_blendv_pd(highPoles[0], high0, active[0]) : high0;

    // Frame i − 3: the bands from the fourth stages, just made, and the input of frame i − 6.
    __m256d low = lowPoles[3];
    __m256d high = _mm256_sub_pd(oldest, highPoles[3]);
    __m256d mid = _mm256_sub_pd(highPoles[3], low);
    low = _mm256_mul_pd(low, r.lowGain);
    mid = _mm256_mul_pd(mid, r.midGain);
    high = _mm256_mul_pd(high, r.highGain);
    const __m128 out = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_add_pd(high, low), mid));

    const std::int32_t firstFrame = i - 3;
    const std::int32_t secondFrame = i - 3 - lag;
    if (!kMasked || (firstFrame >= 0 && firstFrame < frames)) {
        _mm_storel_pi(reinterpret_cast<__m64*>(firstOut + 2 * (h + firstFrame)), out);
    }
    if constexpr (kTwo) {
        if (!kMasked || (secondFrame >= 0 && secondFrame < frames)) {
            _mm_storeh_pi(reinterpret_cast<__m64*>(secondOut + 2 * secondFrame), out);
        }
    }
}

template <bool kTwo>
__attribute__((target("avx2"))) void FilterLanes::run(float* firstIn, float* firstOut,
                                                      float* secondOut, std::int32_t frames) {
    constexpr std::int32_t lag = kTwo ? kSecondLag : 0;
    // Every lane and stage has a frame of its own from step lag + 3 until step frames − 1; the
    // steps before and after fill and empty the skew.
    const std::int32_t steps = frames + lag + 3;
    const std::int32_t fullFrom = lag + 3;
    const std::int32_t fullTo = std::max(fullFrom, frames);
    Registers r{lowCoef,  {lowPoles[0], lowPoles[1], lowPoles[2], lowPoles[3]},
                highCoef, {highPoles[0], highPoles[1], highPoles[2], highPoles[3]},
                lowGain,  midGain,
                highGain};
    std::int32_t i = 0;
    for (; i < std::min(fullFrom, steps); ++i)
        step<kTwo, true>(r, firstIn, firstOut, secondOut, i, frames);
    {
        // A copy of its own for the long loop, which the compiler keeps wholly in registers.
        Registers full = r;
        for (; i < fullTo; ++i) step<kTwo, false>(full, firstIn, firstOut, secondOut, i, frames);
        r = full;
    }
    for (; i < steps; ++i) step<kTwo, true>(r, firstIn, firstOut, secondOut, i, frames);
    for (int k = 0; k < 4; ++k) {
        lowPoles[k] = r.lowPoles[k];
        highPoles[k] = r.highPoles[k];
    }
}
