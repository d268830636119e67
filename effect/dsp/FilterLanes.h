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
#include <utility>

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

    // The state as the loop keeps it: a local copy, which no store through the sample pointers
    // can reach, so it stays in registers.
    struct Registers {
        __m256d lowCoef, lowPoles[4], highCoef, highPoles[4];
        __m256d lowGain, midGain, highGain;
    };

    // Which steps a call of step() is. In the long run every lane and stage has a frame of its
    // own. The first and the last lag + 3 steps of a piece of at least that many frames
    // fill and empty the skew: there stage k of a lane has a frame only from step k + its lag
    // on, or only until then, so which lanes and stages work in edge step kEdge is known at
    // compile time. In a shorter piece that is found out at run time.
    enum class Steps { Full, Filling, Emptying, Short };

    // One loop step i (see the top of the file). In the edge steps a stage or combination whose
    // frame lies outside 0..frames−1 for its lanes leaves its state as it was and stores nothing.
    template <bool kTwo, Steps kSteps, int kEdge>
    __attribute__((target("avx2"), always_inline)) static inline void step(
        Registers& r, float* firstIn, float* firstOut, float* secondOut, std::int32_t i,
        std::int32_t frames);

    // The edge steps first + kEdge..., in order.
    template <bool kTwo, Steps kSteps, int... kEdge>
    __attribute__((target("avx2"), always_inline)) static inline void edgeSteps(
        Registers& r, float* firstIn, float* firstOut, float* secondOut, std::int32_t first,
        std::int32_t frames, std::integer_sequence<int, kEdge...>) {
        (step<kTwo, kSteps, kEdge>(r, firstIn, firstOut, secondOut, first + kEdge, frames), ...);
    }

    // Whether the lanes starting `lag` frames behind have a frame for stage k (or, with k = 3,
    // for the combination) in edge step `edge`.
    static constexpr bool hasFrame(Steps steps, int edge, int lag, int k) {
        return steps == Steps::Full || (steps == Steps::Filling ? edge >= lag + k : edge < lag + k);
    }

    // Stage kStage's new value where its lanes have a frame, its old one elsewhere.
    template <bool kTwo, Steps kSteps, int kEdge, int kStage>
    __attribute__((target("avx2"), always_inline)) static inline __m256d kept(__m256d old,
                                                                              __m256d now,
                                                                              __m256d active) {
        if constexpr (kSteps == Steps::Short) {
            return _mm256_blendv_pd(old, now, active);
        } else {
            constexpr int lag = kTwo ? kSecondLag : 0;
            constexpr int lanes = (hasFrame(kSteps, kEdge, 0, kStage) ? 0x3 : 0) |
                                  (hasFrame(kSteps, kEdge, lag, kStage) ? 0xc : 0);
            if constexpr (lanes == 0xf) return now;
            if constexpr (lanes == 0) return old;
            return _mm256_blend_pd(old, now, lanes);
        }
    }

    // Stage kStage of both cascades: it reads stage kStage − 1 as the step before left it.
    template <bool kTwo, Steps kSteps, int kEdge, int kStage>
    __attribute__((target("avx2"), always_inline)) static inline void laterStage(
        Registers& r, const __m256d (&active)[4]) {
        const __m256d low = follow(r.lowPoles[kStage - 1], r.lowPoles[kStage], r.lowCoef);
        const __m256d high = follow(r.highPoles[kStage - 1], r.highPoles[kStage], r.highCoef);
        r.lowPoles[kStage] =
            kept<kTwo, kSteps, kEdge, kStage>(r.lowPoles[kStage], low, active[kStage]);
        r.highPoles[kStage] =
            kept<kTwo, kSteps, kEdge, kStage>(r.highPoles[kStage], high, active[kStage]);
    }

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

template <bool kTwo, FilterLanes::Steps kSteps, int kEdge>
__attribute__((target("avx2"), always_inline)) inline void FilterLanes::step(
    Registers& r, float* firstIn, float* firstOut, float* secondOut, std::int32_t i,
    std::int32_t frames) {
    constexpr std::int32_t lag = kTwo ? kSecondLag : 0;
    constexpr std::int32_t h = kHistoryRows;
    // Row of the first filter's input for stage 0 (frame i) and for the combination's oldest
    // history (frame i − 3 needs the input of frame i − 6, row i − 3); the second filter's rows
    // lag behind. Edge steps clamp the rows to ones already written; what they read then is
    // thrown away.
    std::int32_t rowFirst = h + i, rowSecond = h + i - lag;
    std::int32_t oldFirst = i - 3, oldSecond = i - 3 - lag;
    if constexpr (kSteps != Steps::Full) {
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
    if constexpr (kSteps == Steps::Short) {
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

    // Last stage first: stage k reads stage k − 1 as step i − 1 left it (frame i − k). Written
    // out stage by stage, so that the poles stay in registers rather than in an array on the
    // stack.
    laterStage<kTwo, kSteps, kEdge, 3>(r, active);
    laterStage<kTwo, kSteps, kEdge, 2>(r, active);
    laterStage<kTwo, kSteps, kEdge, 1>(r, active);
    const __m256d low0 = _mm256_add_pd(_mm256_add_pd(r.lowPoles[0], antiDenormal),
                                       _mm256_mul_pd(_mm256_sub_pd(x, r.lowPoles[0]), r.lowCoef));
    const __m256d high0 =
        _mm256_add_pd(_mm256_add_pd(r.highPoles[0], antiDenormal),
                      _mm256_mul_pd(_mm256_sub_pd(x, r.highPoles[0]), r.highCoef));
    r.lowPoles[0] = kept<kTwo, kSteps, kEdge, 0>(r.lowPoles[0], low0, active[0]);
    r.highPoles[0] = kept<kTwo, kSteps, kEdge, 0>(r.highPoles[0], high0, active[0]);

    // Frame i − 3: the bands from the fourth stages, just made, and the input of frame i − 6.
    __m256d low = r.lowPoles[3];
    __m256d high = _mm256_sub_pd(oldest, r.highPoles[3]);
    __m256d mid = _mm256_sub_pd(r.highPoles[3], low);
    low = _mm256_mul_pd(low, r.lowGain);
    mid = _mm256_mul_pd(mid, r.midGain);
    high = _mm256_mul_pd(high, r.highGain);
    const __m128 out = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_add_pd(high, low), mid));

    const std::int32_t firstFrame = i - 3;
    const std::int32_t secondFrame = i - 3 - lag;
    const bool storeFirst = kSteps == Steps::Short ? firstFrame >= 0 && firstFrame < frames
                                                   : hasFrame(kSteps, kEdge, 0, 3);
    if (storeFirst) {
        _mm_storel_pi(reinterpret_cast<__m64*>(firstOut + 2 * (h + firstFrame)), out);
    }
    if constexpr (kTwo) {
        const bool storeSecond = kSteps == Steps::Short ? secondFrame >= 0 && secondFrame < frames
                                                        : hasFrame(kSteps, kEdge, lag, 3);
        if (storeSecond) {
            _mm_storeh_pi(reinterpret_cast<__m64*>(secondOut + 2 * secondFrame), out);
        }
    }
}

template <bool kTwo>
__attribute__((target("avx2"))) void FilterLanes::run(float* firstIn, float* firstOut,
                                                      float* secondOut, std::int32_t frames) {
    // Every lane and stage has a frame of its own from step kEdges until step frames − 1;
    // the steps before and after fill and empty the skew.
    constexpr std::int32_t kEdges = (kTwo ? kSecondLag : 0) + 3;
    Registers r{lowCoef,  {lowPoles[0], lowPoles[1], lowPoles[2], lowPoles[3]},
                highCoef, {highPoles[0], highPoles[1], highPoles[2], highPoles[3]},
                lowGain,  midGain,
                highGain};
    if (frames >= kEdges) {
        constexpr auto edges = std::make_integer_sequence<int, kEdges>{};
        edgeSteps<kTwo, Steps::Filling>(r, firstIn, firstOut, secondOut, 0, frames, edges);
        {
            // A copy of its own for the long loop, which the compiler keeps wholly in registers.
            Registers full = r;
            for (std::int32_t i = kEdges; i < frames; ++i)
                step<kTwo, Steps::Full, 0>(full, firstIn, firstOut, secondOut, i, frames);
            r = full;
        }
        edgeSteps<kTwo, Steps::Emptying>(r, firstIn, firstOut, secondOut, frames, frames, edges);
    } else {
        for (std::int32_t i = 0; i < frames + kEdges; ++i)
            step<kTwo, Steps::Short, 0>(r, firstIn, firstOut, secondOut, i, frames);
    }
    for (int k = 0; k < 4; ++k) {
        lowPoles[k] = r.lowPoles[k];
        highPoles[k] = r.highPoles[k];
    }
}
