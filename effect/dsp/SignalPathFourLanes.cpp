// The quick piece with the filters in four lanes (AVX2). Only this file is compiled for AVX2,
// function by function, and it runs only where SignalPath::widestLanes() found the instructions.
//
// It computes what runPiece computes, step for step and value for value; only the layout
// differs. The four filters form one chain per channel: the filters inside the loop first, then
// those on the echo, each place low-pass before high-pass, as the frame-by-frame algorithm runs
// them. The value written back into the line is the one after the filters in the loop, the echo
// heard the one after the whole chain. So one FilterLanes run, whatever the places, gives every
// value the piece needs: its first lanes run the first filter of the chain, its other lanes the
// second, skewed by FilterLanes::kSecondLag frames (see FilterLanes.h).
//
// Around the filters the samples are kept as (left, right) pairs, the layout of the lanes:
// the line read, the line write and the outputs each work on four frames at a time, every lane
// through the operations of EchoFrame.h in their order and precision; the frames left over go
// through EchoFrame.h itself. The outputs run in stretches of one phase, so each knows at compile
// time which output the half sine lowers. The line write and the outputs check what they write
// against the signal limit as they write it (SignalGuard.h) and mend only when something is
// beyond it, instead of a pass of their own over the values.
#include <immintrin.h>

#include <algorithm>

#include "EchoFrame.h"
#include "FilterLanes.h"
#include "SignalGuard.h"
#include "SignalPath.h"

namespace {
constexpr std::int32_t kRows = FilterLanes::kHistoryRows;

// What one piece reads and writes besides the filters. Passed by value: a copy of its own, which
// no store through a sample pointer can change, stays in registers.
struct Piece {
    float* lineL;
    float* lineR;
    std::int32_t start;  // first slot
    std::int32_t delaySamples;
    std::int32_t wrapFrame;  // the last frame before the write position wraps
    bool panPhase;
    EchoLevels levels;
    const SineTable* sineTable;
    const float* inL;
    const float* inR;
    float* outL;
    float* outR;
    std::int32_t frames;
};

// Pairs from `count` slots of both lines, from slot `from` on.
__attribute__((target("avx2"))) void readPairs(const Piece p, std::int32_t from, std::int32_t count,
                                               float* pairs) {
    std::int32_t f = 0;
    for (; f + 4 <= count; f += 4) {
        const __m128 left = _mm_loadu_ps(p.lineL + from + f);
        const __m128 right = _mm_loadu_ps(p.lineR + from + f);
        _mm_storeu_ps(pairs + 2 * f, _mm_unpacklo_ps(left, right));
        _mm_storeu_ps(pairs + 2 * f + 4, _mm_unpackhi_ps(left, right));
    }
    for (; f < count; ++f) {
        pairs[2 * f] = p.lineL[from + f];
        pairs[2 * f + 1] = p.lineR[from + f];
    }
}

// Whether any of four values lies beyond ±10000 (or is not a number), as a lane mask: without the
// sign, a float's bits order like its magnitude, and infinities and NaNs lie above every number.
__attribute__((target("avx2"), always_inline)) inline __m128i beyondLimit(__m128 values) {
    const __m128i magnitude = _mm_and_si128(_mm_castps_si128(values), _mm_set1_epi32(0x7fffffff));
    return _mm_cmpgt_epi32(magnitude, _mm_set1_epi32(0x461c4000));  // the bits of 10000.0f
}

// Slots from `from` on get what writtenBack gives for the echo and the input, for `count` frames
// from frame `first`, kept finite: the slots are checked as they are written and mended only if
// needed.
__attribute__((target("avx2"))) void writePairs(const Piece p, const float* pairs,
                                                std::int32_t from, std::int32_t first,
                                                std::int32_t count) {
    const __m128 feedBack = _mm_set1_ps(p.levels.feedBack);
    const float* const echo = pairs + 2 * first;
    const float* const inL = p.inL + first;
    const float* const inR = p.inR + first;
    float* const lineL = p.lineL + from;
    float* const lineR = p.lineR + from;
    __m128i beyond = _mm_setzero_si128();
    std::int32_t f = 0;
    for (; f + 4 <= count; f += 4) {
        const __m128 low = _mm_loadu_ps(echo + 2 * f);
        const __m128 high = _mm_loadu_ps(echo + 2 * f + 4);
        const __m128 left = _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 right = _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
        const __m128 writtenL = _mm_add_ps(_mm_mul_ps(feedBack, left), _mm_loadu_ps(inL + f));
        const __m128 writtenR = _mm_add_ps(_mm_mul_ps(feedBack, right), _mm_loadu_ps(inR + f));
        beyond = _mm_or_si128(beyond, _mm_or_si128(beyondLimit(writtenL), beyondLimit(writtenR)));
        _mm_storeu_ps(lineL + f, writtenL);
        _mm_storeu_ps(lineR + f, writtenR);
    }
    if (_mm_movemask_epi8(beyond) != 0) {
        keepFinite(lineL, f);
        keepFinite(lineR, f);
    }
    for (; f < count; ++f) {
        lineL[f] = keepFinite(writtenBack(p.levels.feedBack, echo[2 * f], inL[f]));
        lineR[f] = keepFinite(writtenBack(p.levels.feedBack, echo[2 * f + 1], inR[f]));
    }
}

// One frame's outputs, as runPiece gives them, kept finite.
void outputFrame(const Piece& p, const float* heard, std::int32_t f, std::int32_t slot,
                 bool leftAttenuated) {
    const double sine = (*p.sineTable)[sineIndexWithinLine(slot, p.delaySamples)];
    const StereoFrame out = frameOutputs(p.levels, {heard[2 * f], heard[2 * f + 1]},
                                         {p.inL[f], p.inR[f]}, sine, leftAttenuated);
    p.outL[f] = keepFinite(out.left);
    p.outR[f] = keepFinite(out.right);
}

// The outputs of frames from..to−1, which all hear the modulation on the same side and read the
// slots slotBase + f: frameOutputs four frames at a time, each channel in the lanes of its own
// register, the half sine multiplied into the attenuated one only. Returns the lanes of the
// outputs beyond the signal limit, or-ed into `beyond`; frames left over are guarded as they are
// made.
template <bool kLeftAttenuated>
__attribute__((target("avx2"))) __m128i outputRun(const Piece& p, const float* heard,
                                                  std::int32_t from, std::int32_t to,
                                                  std::int32_t slotBase, __m128i beyond) {
    const __m256d length = _mm256_set1_pd(static_cast<double>(p.delaySamples));
    const __m256d tableSize = _mm256_set1_pd(static_cast<double>(SineTable::kSize));
    const __m256d depth = _mm256_set1_pd(p.levels.panWidth);
    const __m256d mix = _mm256_set1_pd(p.levels.mix);
    const __m128 gainL = _mm_set1_ps(p.levels.gainL);
    const __m128 gainR = _mm_set1_ps(p.levels.gainR);
    const SineTable& sine = *p.sineTable;
    std::int32_t f = from;
    for (; f + 4 <= to; f += 4) {
        // The table indexes of four frames, as sineIndexWithinLine gives them.
        const __m128i slot =
            _mm_add_epi32(_mm_set1_epi32(slotBase + f), _mm_setr_epi32(0, 1, 2, 3));
        const __m256d pos = _mm256_div_pd(_mm256_cvtepi32_pd(slot), length);
        alignas(16) std::int32_t k[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(k),
                        _mm256_cvttpd_epi32(_mm256_mul_pd(pos, tableSize)));
        const __m256d m =
            _mm256_mul_pd(depth, _mm256_setr_pd(sine[k[0]], sine[k[1]], sine[k[2]], sine[k[3]]));
        const __m256d oneMinusM = _mm256_sub_pd(_mm256_set1_pd(1.0), m);

        // The echoes cross over: the right channel's echo is heard on the left.
        const __m128 low = _mm_loadu_ps(heard + 2 * f);
        const __m128 high = _mm_loadu_ps(heard + 2 * f + 4);
        const __m128 echoL = _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 echoR = _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
        const __m256d scaledL = _mm256_mul_pd(_mm256_cvtps_pd(_mm_mul_ps(echoR, gainL)), mix);
        const __m256d scaledR = _mm256_mul_pd(_mm256_cvtps_pd(_mm_mul_ps(echoL, gainR)), mix);
        const __m256d dryL = _mm256_cvtps_pd(_mm_loadu_ps(p.inL + f));
        const __m256d dryR = _mm256_cvtps_pd(_mm_loadu_ps(p.inR + f));
        const __m256d wideL = kLeftAttenuated ? _mm256_mul_pd(scaledL, oneMinusM) : scaledL;
        const __m256d wideR = kLeftAttenuated ? scaledR : _mm256_mul_pd(scaledR, oneMinusM);
        const __m128 outL = _mm256_cvtpd_ps(_mm256_add_pd(wideL, dryL));
        const __m128 outR = _mm256_cvtpd_ps(_mm256_add_pd(wideR, dryR));
        beyond = _mm_or_si128(beyond, _mm_or_si128(beyondLimit(outL), beyondLimit(outR)));
        // Written after the inputs were read: in-place buffers work.
        _mm_storeu_ps(p.outL + f, outL);
        _mm_storeu_ps(p.outR + f, outR);
    }
    for (; f < to; ++f) outputFrame(p, heard, f, slotBase + f, kLeftAttenuated);
    return beyond;
}

// Every output of the piece, in runs of one phase: up to the frame before the write position
// wraps, that frame (the last slot, the phase already flipped), and the rest from slot 0 on.
// The outputs are kept finite.
__attribute__((target("avx2"))) void outputs(const Piece p, const float* heard) {
    const auto run = [&](bool leftAttenuated, std::int32_t from, std::int32_t to,
                         std::int32_t slotBase, __m128i beyond) {
        return leftAttenuated ? outputRun<true>(p, heard, from, to, slotBase, beyond)
                              : outputRun<false>(p, heard, from, to, slotBase, beyond);
    };
    const std::int32_t beforeWrap = std::min(p.frames, p.wrapFrame);
    __m128i beyond = run(p.panPhase, 0, beforeWrap, p.start, _mm_setzero_si128());
    if (p.wrapFrame < p.frames) {
        outputFrame(p, heard, p.wrapFrame, p.delaySamples - 1, !p.panPhase);
        beyond = run(!p.panPhase, p.wrapFrame + 1, p.frames, p.start - p.delaySamples, beyond);
    }
    if (_mm_movemask_epi8(beyond) != 0) {
        keepFinite(p.outL, p.frames);
        keepFinite(p.outR, p.frames);
    }
}

// kFilters filters run (0, 1 or 2), the first kInLoop of them inside the loop. chain holds the
// filters in chain order, left and right.
template <int kFilters, int kInLoop>
__attribute__((target("avx2"))) void runFourLanePiece(const Piece& p,
                                                      ThreeBandFilter* const (&chain)[2][2]) {
    // Echo pairs as read, after the first filter, after the second; rows in front for history.
    alignas(32) float read[2 * (kRows + SignalPath::kFourLanePieceFrames)];
    alignas(32) float first[2 * (kRows + SignalPath::kFourLanePieceFrames)];
    alignas(32) float second[2 * SignalPath::kFourLanePieceFrames];
    float* const echo = read + 2 * kRows;
    float* const afterFirst = first + 2 * kRows;

    const std::int32_t beforeWrap = std::min(p.frames, p.wrapFrame + 1);
    readPairs(p, p.start, beforeWrap, echo);
    readPairs(p, 0, p.frames - beforeWrap, echo + 2 * beforeWrap);

    if constexpr (kFilters > 0) {
        ThreeBandFilter& firstL = *chain[0][0];
        ThreeBandFilter& firstR = *chain[0][1];
        // Without a second filter its lanes repeat the first one's, and are not kept.
        ThreeBandFilter& secondL = *chain[kFilters - 1][0];
        ThreeBandFilter& secondR = *chain[kFilters - 1][1];
        FilterLanes lanes;
        lanes.load(firstL, firstR, secondL, secondR);
        FilterLanes::historyRows(firstL, firstR, read);
        if constexpr (kFilters == 2) FilterLanes::historyRows(secondL, secondR, first);
        lanes.run<kFilters == 2>(read, first, second, p.frames);
        lanes.storeFirst(firstL, firstR, read, p.frames);
        if constexpr (kFilters == 2) lanes.storeSecond(secondL, secondR, first, p.frames);
    }

    const float* const written = kInLoop == 0 ? echo : kInLoop == 1 ? afterFirst : second;
    const float* const heard = kFilters == 0 ? echo : kFilters == 1 ? afterFirst : second;
    // No slot written here is read again within the piece.
    writePairs(p, written, p.start, 0, beforeWrap);
    writePairs(p, written, 0, beforeWrap, p.frames - beforeWrap);
    outputs(p, heard);
}
}  // namespace

void SignalPath::runPieceFourLanes(const Snapshot& now, const float* inL, const float* inR,
                                   float* outL, float* outR, std::int32_t frames) {
    const Piece piece{delayBufferL.get(),
                      delayBufferR.get(),
                      writePos,
                      now.delaySamples,
                      now.delaySamples - writePos - 1,
                      panPhase,
                      now.levels,
                      &sineTable,
                      inL,
                      inR,
                      outL,
                      outR,
                      frames};

    // The chain: filters in the loop, then on the echo; low-pass before high-pass in each.
    ThreeBandFilter* chain[2][2] = {};
    int filters = 0;
    int inLoop = 0;
    for (const FilterPlace place : {FilterPlace::InLoop, FilterPlace::OnEcho}) {
        if (now.lowPass == place) {
            chain[filters][0] = &lowPassL;
            chain[filters++][1] = &lowPassR;
        }
        if (now.highPass == place) {
            chain[filters][0] = &highPassL;
            chain[filters++][1] = &highPassR;
        }
        if (place == FilterPlace::InLoop) inLoop = filters;
    }
    switch (filters * 3 + inLoop) {
        case 0:
            runFourLanePiece<0, 0>(piece, chain);
            break;
        case 3:
            runFourLanePiece<1, 0>(piece, chain);
            break;
        case 4:
            runFourLanePiece<1, 1>(piece, chain);
            break;
        case 6:
            runFourLanePiece<2, 0>(piece, chain);
            break;
        case 7:
            runFourLanePiece<2, 1>(piece, chain);
            break;
        default:
            runFourLanePiece<2, 2>(piece, chain);
            break;
    }

    if (frames > piece.wrapFrame) {
        writtenExtent = std::max(writtenExtent, now.delaySamples);
        writePos = writePos + frames - now.delaySamples;
        panPhase = !panPhase;
    } else {
        writePos += frames;
    }
}
