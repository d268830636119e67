// The echo itself: per channel a circular delay line fed with the input plus the fed-back echo,
// read one delay length later, optionally filtered inside or outside the loop, crossed over to
// the other output, balanced, attenuated by a half sine that alternates between the outputs, and
// mixed onto the dry signal.
//
// Threads: only the audio thread runs process(), setupFilters() and restartNow(), and only it
// writes the lines. Other threads ask for a clear or a restart; the audio thread carries it out
// before its next frame.
//
// Speed: a block is worked through in pieces of at most kPieceFrames frames (kFourLanePieceFrames
// with four lanes). The settings are read at the start of each piece, so a change made between
// two blocks applies from the next frame, and one made by another thread while a block runs from
// the next piece (at most 2.7 ms, or 21 ms with four lanes, at 48 kHz later; such a change has no
// frame of its own to be timed against anyway). Within a
// piece each step runs over all its frames before the next step: the filters, left and right
// channel side by side in one register, then carry only their own state from frame to frame,
// and the processor overlaps the work of many frames. Every sample comes out as the plain
// frame-by-frame algorithm gives it.
//
// Lanes: where the processor has AVX2, the four filters run in the four lanes of one register
// instead (SignalPathFourLanes.cpp), frames skewed across the lanes; the result is the same to
// the last bit. The choice is made once per process, and every other x86-64 processor runs the
// two-lane pieces.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "DelayLength.h"
#include "EchoFrame.h"
#include "EchoSettings.h"
#include "SineTable.h"
#include "ThreeBandFilter.h"

class SignalPath {
public:
    static constexpr std::int32_t kLineLength = kLongestDelayInSamples;
    static constexpr std::int32_t kPieceFrames = 128;
    // Four lanes fill and empty their skew at every piece, which the longer piece pays less
    // often; its buffers, on the audio thread's stack, come to 25 KB.
    static constexpr std::int32_t kFourLanePieceFrames = 1024;

    // How many filters share one register: left and right (SSE2, every x86-64 processor), or
    // both channels of both filters (AVX2).
    enum class Lanes { Two, Four };

    SignalPath();

    // Four where this processor has AVX2; found out once per process.
    static Lanes widestLanes();
    // The lanes of paths made from now on: the widest by default. Tests and benchmarks ask for
    // Two to compare the two; Four is granted only where the processor has it.
    static void chooseLanes(Lanes wanted);
    static Lanes chosenLanes();
    Lanes lanesInUse() const { return lanes; }

    // Splits for a rate in whole hertz: the low-pass pair at 600/1800 Hz, the high-pass pair at
    // 6000/18500 Hz; states cleared.
    void setupFilters(std::int32_t sampleRate);

    // From any thread: clear both lines before the next frame.
    void requestClear();
    // From any thread: restart the write position at 0 and clear both lines before the next frame.
    void requestRestart();
    // On the audio thread: restart at once.
    void restartNow();

    void process(const EchoSettings& settings, const float* inL, const float* inR, float* outL,
                 float* outR, std::int32_t frames);

    std::int32_t writePosition() const { return writePos; }

private:
    enum Request : unsigned { kClearLines = 1, kRestartWritePos = 2 };
    enum class FilterPlace { Off, InLoop, OnEcho };

    // The settings as one piece uses them.
    struct Snapshot {
        std::int32_t delaySamples;
        EchoLevels levels;
        FilterPlace lowPass, highPass;
    };

    Snapshot takeSnapshot(const EchoSettings& settings);

    // The quick piece: needs 0 <= writePos < delaySamples and no more frames than the line is
    // long, so that no slot it writes is read again within it; the caller guards what it wrote.
    // The filter places are template arguments: each combination has loops without those tests.
    template <FilterPlace kLowPass, FilterPlace kHighPass>
    void runPiece(const Snapshot& now, const float* inL, const float* inR, float* outL, float* outR,
                  std::int32_t frames);
    // The same piece with the filters in four lanes (needs AVX2; any filter places).
    void runPieceFourLanes(const Snapshot& now, const float* inL, const float* inR, float* outL,
                           float* outR, std::int32_t frames);
    // The same frame by frame for any state of the line (lines of a few samples, a write
    // position left beyond a shortened line), guarding each value as it is made.
    void runPieceCarefully(const Snapshot& now, const float* inL, const float* inR, float* outL,
                           float* outR, std::int32_t frames);
    // Keeps finite the `count` line slots written from `from` on (wrapping at the delay length).
    void guardLineSlots(std::int32_t from, std::int32_t count, std::int32_t delaySamples);

    void carryOutRequests();
    void clearLines();
    void followFilterAmounts(double lowPass, double highPass);

    Lanes lanes;
    std::unique_ptr<float[]> delayBufferL;
    std::unique_ptr<float[]> delayBufferR;
    std::int32_t writePos = 0;
    bool panPhase = false;
    // Slots at or above this index (and above writePos) have not been written since the last
    // clear, so a clear can stop there: the result is the same as clearing the whole line.
    std::int32_t writtenExtent = 0;
    std::atomic<unsigned> requests{0};

    ThreeBandFilter lowPassL, lowPassR, highPassL, highPassR;
    // The filter gains always follow the amounts; these remember which amounts they were set for.
    double gainsLowPass = 0.0;
    double gainsHighPass = 0.0;
    bool gainsValid = false;

    const SineTable& sineTable;
};
