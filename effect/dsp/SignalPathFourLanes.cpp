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
// through EchoFrame.h itself.
#include <immintrin.h>

#include <algorithm>

#include "EchoFrame.h"
#include "FilterLanes.h"
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

// Slots from `from` on get what writtenBack gives for the echo and the input, for `count` frames
// from frame `first`.
__attribute__((target("avx2"))) void writePairs(const Piece p, const float* pairs,
                                                std::int32_t from, std::int32_t first,
                                                std::int32_t count) {
    const __m128 feedBack = _mm_set1_ps(p.levels.feedBack);
    const float* const echo = pairs + 2 * first;
    const float* const inL = p.inL + first;
    const float* const inR = p.inR + first;
    std::int32_t f = 0;
    for (; f + 4 <= count; f += 4) {
        const __m128 low = _mm_loadu_ps(echo + 2 * f);
        const __m128 high = _mm_loadu_ps(echo + 2 * f + 4);
        const __m128 left = _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 right = _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
        _mm_storeu_ps(p.lineL + from + f,
                      _mm_add_ps(_mm_mul_ps(feedBack, left), _mm_loadu_ps(inL + f)));
        _mm_storeu_ps(p.lineR + from + f,
                      _mm_add_ps(_mm_mul_ps(feedBack, right), _mm_loadu_ps(inR + f)));
    }
    for (; f < count; ++f) {
        p.lineL[from + f] = writtenBack(p.levels.feedBack, echo[2 * f], inL[f]);
        p.lineR[from + f] = writtenBack(p.levels.feedBack, echo[2 * f + 1], inR[f]);
    }
}

// Whether frame f hears the modulation on the left output (else on the right).
bool phaseAt(const Piece& p, std::int32_t f) { return p.panPhase != (f >= p.wrapFrame); }

// One frame's outputs, as runPiece gives them.
void outputFrame(const Piece& p, const float* heard, std::int32_t f) {
    const std::int32_t slot = f <= p.wrapFrame ? p.start + f : p.start + f - p.delaySamples;
    const double sine = (*p.sineTable)[sineIndexWithinLine(slot, p.delaySamples)];
    const StereoFrame out = frameOutputs(p.levels, {heard[2 * f], heard[2 * f + 1]},
                                         {p.inL[f], p.inR[f]}, sine, phaseAt(p, f));
    p.outL[f] = out.left;
    p.outR[f] = out.right;
}

// Outputs of frames f and f + 1 as (left, right, left, right), narrowed: frameOutputs in each
// lane. oneMinusM holds 1 − m of each frame twice; which lane takes it follows each frame's
// phase.
__attribute__((target("avx2"), always_inline)) inline __m128 outputTwoFrames(
    const Piece& p, __m128 heard, __m128 dry, __m256d oneMinusM, std::int32_t f) {
    // Which lane is attenuated, by the phases of the two frames: (phase f) + 2 × (phase f + 1).
    alignas(32) static const std::int64_t kLanes[4][4] = {
        {0, -1, 0, -1}, {-1, 0, 0, -1}, {0, -1, -1, 0}, {-1, 0, -1, 0}};
    const int phases = (phaseAt(p, f) ? 1 : 0) + (phaseAt(p, f + 1) ? 2 : 0);
    const __m256d attenuatedLane =
        _mm256_castsi256_pd(_mm256_load_si256(reinterpret_cast<const __m256i*>(kLanes[phases])));

    // The echoes cross over: the right channel's echo is heard on the left.
    const __m128 crossed = _mm_shuffle_ps(heard, heard, _MM_SHUFFLE(2, 3, 0, 1));
    const __m128 gains =
        _mm_setr_ps(p.levels.gainL, p.levels.gainR, p.levels.gainL, p.levels.gainR);
    const __m256d echo = _mm256_cvtps_pd(_mm_mul_ps(crossed, gains));
    const __m256d x = _mm256_cvtps_pd(dry);
    const __m256d scaled = _mm256_mul_pd(echo, _mm256_set1_pd(p.levels.mix));
    const __m256d plain = _mm256_add_pd(scaled, x);
    const __m256d modulated = _mm256_add_pd(_mm256_mul_pd(scaled, oneMinusM), x);
    return _mm256_cvtpd_ps(_mm256_blendv_pd(plain, modulated, attenuatedLane));
}

__attribute__((target("avx2"))) void outputs(const Piece p, const float* heard) {
    const __m128i frameOffsets = _mm_setr_epi32(0, 1, 2, 3);
    const __m256d length = _mm256_set1_pd(static_cast<double>(p.delaySamples));
    const __m256d tableSize = _mm256_set1_pd(static_cast<double>(SineTable::kSize));
    const __m256d depth = _mm256_set1_pd(p.levels.panWidth);
    std::int32_t f = 0;
    for (; f + 4 <= p.frames; f += 4) {
        // The table indexes of four frames, as sineIndexWithinLine gives them.
        const __m128i frame = _mm_add_epi32(_mm_set1_epi32(f), frameOffsets);
        const __m128i wrapped = _mm_cmpgt_epi32(frame, _mm_set1_epi32(p.wrapFrame));
        const __m128i slot = _mm_sub_epi32(_mm_add_epi32(frame, _mm_set1_epi32(p.start)),
                                           _mm_and_si128(wrapped, _mm_set1_epi32(p.delaySamples)));
        const __m256d pos = _mm256_div_pd(_mm256_cvtepi32_pd(slot), length);
        const __m128i k = _mm256_cvttpd_epi32(_mm256_mul_pd(pos, tableSize));
        const SineTable& sine = *p.sineTable;
        const __m256d m = _mm256_mul_pd(
            depth, _mm256_setr_pd(sine[_mm_cvtsi128_si32(k)], sine[_mm_extract_epi32(k, 1)],
                                  sine[_mm_extract_epi32(k, 2)], sine[_mm_extract_epi32(k, 3)]));
        const __m256d oneMinusM = _mm256_sub_pd(_mm256_set1_pd(1.0), m);

        const __m128 inL = _mm_loadu_ps(p.inL + f);
        const __m128 inR = _mm_loadu_ps(p.inR + f);
        const __m128 low =
            outputTwoFrames(p, _mm_loadu_ps(heard + 2 * f), _mm_unpacklo_ps(inL, inR),
                            _mm256_permute4x64_pd(oneMinusM, 0x50), f);
        const __m128 high =
            outputTwoFrames(p, _mm_loadu_ps(heard + 2 * f + 4), _mm_unpackhi_ps(inL, inR),
                            _mm256_permute4x64_pd(oneMinusM, 0xfa), f + 2);
        // Written after the inputs were read: in-place buffers work.
        _mm_storeu_ps(p.outL + f, _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0)));
        _mm_storeu_ps(p.outR + f, _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1)));
    }
    for (; f < p.frames; ++f) outputFrame(p, heard, f);
}

// kFilters filters run (0, 1 or 2), the first kInLoop of them inside the loop. chain holds the
// filters in chain order, left and right.
template <int kFilters, int kInLoop>
__attribute__((target("avx2"))) void runFourLanePiece(const Piece& p,
                                                      ThreeBandFilter* const (&chain)[2][2]) {
    // Echo pairs as read, after the first filter, after the second; rows in front for history.
    alignas(32) float read[2 * (kRows + SignalPath::kPieceFrames)];
    alignas(32) float first[2 * (kRows + SignalPath::kPieceFrames)];
    alignas(32) float second[2 * SignalPath::kPieceFrames];
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
    // Guarded by the caller: no slot written here is read again within the piece.
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
