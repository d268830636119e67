#include "SignalPath.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>

#include "SignalGuard.h"

namespace {
// Where the frame sits along the delay length, as an index into the half-sine table; bounded for
// any write position and length.
std::int32_t sineIndex(std::int32_t writePos, std::int32_t delaySamples) {
    const double pos =
        delaySamples > 0 ? static_cast<double>(writePos) / static_cast<double>(delaySamples) : 0.0;
    const double scaled = pos * static_cast<double>(SineTable::kSize);
    if (!(scaled > 0.0)) return 0;
    if (scaled >= static_cast<double>(SineTable::kSize - 1)) return SineTable::kSize - 1;
    return static_cast<std::int32_t>(scaled);
}

// sineIndexWithinLine for the slots of a piece, which start at `start` and wrap to 0 after
// frame wrapFrame. Each half of an SSE2 register divides, multiplies and truncates exactly as
// the scalar instructions do, so the indexes are the same, two at a time.
void sineIndexesWithinLine(std::int32_t start, std::int32_t wrapFrame, std::int32_t delaySamples,
                           std::int32_t count, std::int32_t* indexes) {
    const auto slot = [&](std::int32_t f) {
        return f <= wrapFrame ? start + f : start + f - delaySamples;
    };
    const __m128d length = _mm_set1_pd(static_cast<double>(delaySamples));
    const __m128d size = _mm_set1_pd(static_cast<double>(SineTable::kSize));
    std::int32_t f = 0;
    for (; f + 2 <= count; f += 2) {
        const __m128i twoSlots = _mm_setr_epi32(slot(f), slot(f + 1), 0, 0);
        const __m128d pos = _mm_div_pd(_mm_cvtepi32_pd(twoSlots), length);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(indexes + f),
                         _mm_cvttpd_epi32(_mm_mul_pd(pos, size)));
    }
    for (; f < count; ++f) indexes[f] = sineIndexWithinLine(slot(f), delaySamples);
}

// A line of a few samples is read back too soon for pieces to pay: below this length the
// careful loop runs whenever the block is longer than the line.
constexpr std::int32_t kShortestQuickLine = 32;

// Both channels through a pair of filters at once; each result narrowed to single precision.
inline void filterBoth(ThreeBandFilterPair& filters, float& dL, float& dR) {
    const __m128d wide = _mm_cvtps_pd(_mm_setr_ps(dL, dR, 0.0f, 0.0f));
    const __m128 narrow = _mm_cvtpd_ps(filters.processSample(wide));
    dL = _mm_cvtss_f32(narrow);
    dR = _mm_cvtss_f32(_mm_shuffle_ps(narrow, narrow, 1));
}

// Set only by a deliberate choice of two lanes; constant-initialised, so that paths made while
// the program starts up see it too.
std::atomic<bool> twoLanesChosen{false};
}  // namespace

SignalPath::Lanes SignalPath::widestLanes() {
    static const Lanes widest = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") ? Lanes::Four : Lanes::Two;
    }();
    return widest;
}

void SignalPath::chooseLanes(Lanes wanted) {
    twoLanesChosen.store(wanted == Lanes::Two, std::memory_order_relaxed);
}

SignalPath::Lanes SignalPath::chosenLanes() {
    return twoLanesChosen.load(std::memory_order_relaxed) ? Lanes::Two : widestLanes();
}

SignalPath::SignalPath()
    : lanes(chosenLanes()),
      delayBufferL(new float[kLineLength]()),
      delayBufferR(new float[kLineLength]()),
      sineTable(SineTable::shared()) {}

void SignalPath::setupFilters(std::int32_t sampleRate) {
    lowPassL.init(600, 1800, sampleRate);
    lowPassL.setGains(1.0, 0.0, 0.0);
    lowPassR = lowPassL;
    highPassL.init(6000, 18500, sampleRate);
    highPassL.setGains(0.0, 1.0, 1.0);
    highPassR = highPassL;
    gainsValid = false;
}

void SignalPath::requestClear() { requests.fetch_or(kClearLines, std::memory_order_relaxed); }

void SignalPath::requestRestart() {
    requests.fetch_or(kClearLines | kRestartWritePos, std::memory_order_relaxed);
}

void SignalPath::restartNow() {
    clearLines();
    writePos = 0;
}

void SignalPath::carryOutRequests() {
    const unsigned pending = requests.exchange(0, std::memory_order_relaxed);
    if ((pending & kClearLines) != 0) clearLines();
    if ((pending & kRestartWritePos) != 0) writePos = 0;
}

void SignalPath::clearLines() {
    const std::int32_t extent = std::min(std::max(writtenExtent, writePos + 1), kLineLength);
    std::fill_n(delayBufferL.get(), extent, 0.0f);
    std::fill_n(delayBufferR.get(), extent, 0.0f);
    writtenExtent = 0;
}

void SignalPath::followFilterAmounts(double lowPass, double highPass) {
    if (gainsValid && lowPass == gainsLowPass && highPass == gainsHighPass) return;
    lowPassL.setGains(1.0, 1.0 - lowPass, 1.0 - lowPass);
    lowPassR.setGains(1.0, 1.0 - lowPass, 1.0 - lowPass);
    highPassL.setGains(1.0 - highPass, 1.0, 1.0);
    highPassR.setGains(1.0 - highPass, 1.0, 1.0);
    gainsLowPass = lowPass;
    gainsHighPass = highPass;
    gainsValid = true;
}

SignalPath::Snapshot SignalPath::takeSnapshot(const EchoSettings& settings) {
    Snapshot now{};
    const double lowPass = settings.lowPass.load();
    const double highPass = settings.highPass.load();
    followFilterAmounts(lowPass, highPass);
    now.lowPass = !(lowPass > 0.0)                ? FilterPlace::Off
                  : settings.lowPassInLoop.load() ? FilterPlace::InLoop
                                                  : FilterPlace::OnEcho;
    now.highPass = !(highPass > 0.0)                ? FilterPlace::Off
                   : settings.highPassInLoop.load() ? FilterPlace::InLoop
                                                    : FilterPlace::OnEcho;

    now.delaySamples = settings.delaySamples.load();
    EchoLevels& levels = now.levels;
    levels.feedBack = settings.feedBack.load();
    levels.panWidth = settings.panWidth.load();
    levels.mix = settings.mix.load();
    const double pan = settings.pan.load();
    levels.gainL = 1.0f;
    levels.gainR = 1.0f;
    if (pan < 0.5) {
        levels.gainR = static_cast<float>(pan + pan);
    } else if (pan > 0.5) {
        levels.gainL = static_cast<float>((1.0 - pan) + (1.0 - pan));
    }
    return now;
}

template <SignalPath::FilterPlace kLowPass, SignalPath::FilterPlace kHighPass>
void SignalPath::runPiece(const Snapshot& snapshot, const float* inL, const float* inR, float* outL,
                          float* outR, std::int32_t frames) {
    // Copies in locals, which no store through a sample pointer can reach: they stay in registers.
    const Snapshot now = snapshot;
    ThreeBandFilterPair lowPair(lowPassL, lowPassR);
    ThreeBandFilterPair highPair(highPassL, highPassR);
    float* const lineL = delayBufferL.get();
    float* const lineR = delayBufferR.get();
    // The echo of each frame, from one step to the next.
    float echoL[kPieceFrames];
    float echoR[kPieceFrames];

    // The piece is never longer than the line, so the write position wraps at most once: after
    // frame wrapFrame, whose own output already has the flipped phase.
    const std::int32_t start = writePos;
    const std::int32_t wrapFrame = now.delaySamples - start - 1;
    const auto slot = [&](std::int32_t f) {
        return f <= wrapFrame ? start + f : start + f - now.delaySamples;
    };

    for (std::int32_t f = 0; f < frames; ++f) {
        echoL[f] = lineL[slot(f)];
        echoR[f] = lineR[slot(f)];
    }
    if constexpr (kLowPass == FilterPlace::InLoop) {
        for (std::int32_t f = 0; f < frames; ++f) filterBoth(lowPair, echoL[f], echoR[f]);
    }
    if constexpr (kHighPass == FilterPlace::InLoop) {
        for (std::int32_t f = 0; f < frames; ++f) filterBoth(highPair, echoL[f], echoR[f]);
    }
    // Guarded by the caller: no slot written here is read again within the piece. The inputs
    // are read until the outputs are written, below, so in-place processing works.
    for (std::int32_t f = 0; f < frames; ++f) {
        lineL[slot(f)] = writtenBack(now.levels.feedBack, echoL[f], inL[f]);
        lineR[slot(f)] = writtenBack(now.levels.feedBack, echoR[f], inR[f]);
    }
    if constexpr (kLowPass == FilterPlace::OnEcho) {
        for (std::int32_t f = 0; f < frames; ++f) filterBoth(lowPair, echoL[f], echoR[f]);
    }
    if constexpr (kHighPass == FilterPlace::OnEcho) {
        for (std::int32_t f = 0; f < frames; ++f) filterBoth(highPair, echoL[f], echoR[f]);
    }

    // The table indexes on their own, two divisions at a time (see sineIndexesWithinLine).
    std::int32_t tableIndex[kPieceFrames];
    sineIndexesWithinLine(start, wrapFrame, now.delaySamples, frames, tableIndex);
    for (std::int32_t f = 0; f < frames; ++f) {
        const bool phase = panPhase != (f >= wrapFrame);
        const StereoFrame out = frameOutputs(now.levels, {echoL[f], echoR[f]}, {inL[f], inR[f]},
                                             sineTable[tableIndex[f]], phase);
        outL[f] = out.left;
        outR[f] = out.right;
    }

    if (frames > wrapFrame) {
        writtenExtent = std::max(writtenExtent, now.delaySamples);
        writePos = start + frames - now.delaySamples;
        panPhase = !panPhase;
    } else {
        writePos = start + frames;
    }
    if constexpr (kLowPass != FilterPlace::Off) lowPair.storeTo(lowPassL, lowPassR);
    if constexpr (kHighPass != FilterPlace::Off) highPair.storeTo(highPassL, highPassR);
}

void SignalPath::runPieceCarefully(const Snapshot& now, const float* inL, const float* inR,
                                   float* outL, float* outR, std::int32_t frames) {
    float* const lineL = delayBufferL.get();
    float* const lineR = delayBufferR.get();
    ThreeBandFilterPair lowPair(lowPassL, lowPassR);
    ThreeBandFilterPair highPair(highPassL, highPassR);
    const auto filterIf = [&](FilterPlace place, FilterPlace here, ThreeBandFilterPair& filters,
                              float& dL, float& dR) {
        if (place == here) filterBoth(filters, dL, dR);
    };
    for (std::int32_t i = 0; i < frames; ++i) {
        float dL = lineL[writePos];
        float dR = lineR[writePos];
        const float xL = inL[i];
        const float xR = inR[i];

        filterIf(now.lowPass, FilterPlace::InLoop, lowPair, dL, dR);
        filterIf(now.highPass, FilterPlace::InLoop, highPair, dL, dR);

        const std::int32_t k = sineIndex(writePos, now.delaySamples);

        // A short line reads its slots again within the piece: each value is guarded as it is made.
        lineL[writePos] = keepFinite(writtenBack(now.levels.feedBack, dL, xL));
        lineR[writePos] = keepFinite(writtenBack(now.levels.feedBack, dR, xR));

        ++writePos;
        if (writePos >= now.delaySamples) {
            writtenExtent = std::max(writtenExtent, writePos);
            writePos = 0;
            panPhase = !panPhase;
        }

        filterIf(now.lowPass, FilterPlace::OnEcho, lowPair, dL, dR);
        filterIf(now.highPass, FilterPlace::OnEcho, highPair, dL, dR);

        const StereoFrame out =
            frameOutputs(now.levels, {dL, dR}, {xL, xR}, sineTable[k], panPhase);
        outL[i] = keepFinite(out.left);
        outR[i] = keepFinite(out.right);
    }
    if (now.lowPass != FilterPlace::Off) lowPair.storeTo(lowPassL, lowPassR);
    if (now.highPass != FilterPlace::Off) highPair.storeTo(highPassL, highPassR);
}

void SignalPath::guardLineSlots(std::int32_t from, std::int32_t count, std::int32_t delaySamples) {
    // The slots written by a piece: from `from` on, wrapping once at the delay length.
    const std::int32_t beforeWrap = std::min(count, delaySamples - from);
    keepFinite(delayBufferL.get() + from, beforeWrap);
    keepFinite(delayBufferR.get() + from, beforeWrap);
    keepFinite(delayBufferL.get(), count - beforeWrap);
    keepFinite(delayBufferR.get(), count - beforeWrap);
}

void SignalPath::process(const EchoSettings& settings, const float* inL, const float* inR,
                         float* outL, float* outR, std::int32_t frames) {
    using Piece = void (SignalPath::*)(const Snapshot&, const float*, const float*, float*, float*,
                                       std::int32_t);
    using P = FilterPlace;
    // Indexed by the low-pass place, then the high-pass place, in FilterPlace's order.
    static constexpr Piece kPieces[3][3] = {
        {&SignalPath::runPiece<P::Off, P::Off>, &SignalPath::runPiece<P::Off, P::InLoop>,
         &SignalPath::runPiece<P::Off, P::OnEcho>},
        {&SignalPath::runPiece<P::InLoop, P::Off>, &SignalPath::runPiece<P::InLoop, P::InLoop>,
         &SignalPath::runPiece<P::InLoop, P::OnEcho>},
        {&SignalPath::runPiece<P::OnEcho, P::Off>, &SignalPath::runPiece<P::OnEcho, P::InLoop>,
         &SignalPath::runPiece<P::OnEcho, P::OnEcho>},
    };

    std::int32_t done = 0;
    while (done < frames) {
        if (requests.load(std::memory_order_relaxed) != 0) carryOutRequests();
        const Snapshot now = takeSnapshot(settings);
        const std::int32_t left =
            std::min(frames - done, lanes == Lanes::Four ? kFourLanePieceFrames : kPieceFrames);
        const bool withinLine =
            now.delaySamples > 0 && writePos >= 0 && writePos < now.delaySamples;
        if (!withinLine || (now.delaySamples < kShortestQuickLine && now.delaySamples < left)) {
            runPieceCarefully(now, inL + done, inR + done, outL + done, outR + done, left);
            done += left;
            continue;
        }
        // At most one line length, so that nothing written is read back before it is guarded.
        const std::int32_t piece = std::min(left, now.delaySamples);
        const std::int32_t firstSlot = writePos;
        if (lanes == Lanes::Four) {
            // Guards what it writes in the passes that write it.
            runPieceFourLanes(now, inL + done, inR + done, outL + done, outR + done, piece);
        } else {
            const Piece run =
                kPieces[static_cast<int>(now.lowPass)][static_cast<int>(now.highPass)];
            (this->*run)(now, inL + done, inR + done, outL + done, outR + done, piece);
            guardLineSlots(firstSlot, piece, now.delaySamples);
            keepFinite(outL + done, piece);
            keepFinite(outR + done, piece);
        }
        done += piece;
    }
}
