#include "SignalPath.h"

#include <algorithm>
#include <cmath>

#include "SignalGuard.h"

namespace {
// Where the frame sits along the delay length, as an index into the half-sine table.
std::int32_t modulationIndex(std::int32_t writePos, std::int32_t delaySamples) {
    const double pos = delaySamples > 0
                           ? static_cast<double>(writePos) / static_cast<double>(delaySamples)
                           : 0.0;
    const double scaled = pos * static_cast<double>(SineTable::kSize);
    if (!(scaled > 0.0)) return 0;
    if (scaled >= static_cast<double>(SineTable::kSize - 1)) return SineTable::kSize - 1;
    return static_cast<std::int32_t>(scaled);
}
}  // namespace

SignalPath::SignalPath()
    : delayBufferL(new float[kLineLength]()),
      delayBufferR(new float[kLineLength]()),
      sineTable(SineTable::shared()) {}

std::int32_t SignalPath::delayLengthInSamples(float sampleRate, float delayTime) {
    // Single precision on purpose: the same sum in double is one sample off for many values.
    const float samples = (sampleRate + -1.0f) * delayTime;
    if (std::isnan(samples)) return 0;
    if (samples >= static_cast<float>(kLineLength)) return kLineLength;
    if (samples <= -2147483648.0f) return INT32_MIN;
    return static_cast<std::int32_t>(samples);
}

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

void SignalPath::process(const EchoSettings& settings, const float* inL, const float* inR,
                         float* outL, float* outR, std::int32_t frames) {
    float* const lineL = delayBufferL.get();
    float* const lineR = delayBufferR.get();
    for (std::int32_t i = 0; i < frames; ++i) {
        if (requests.load(std::memory_order_relaxed) != 0) carryOutRequests();

        const std::int32_t delaySamples = settings.delaySamples.load();
        const float feedBack = settings.feedBack.load();
        const double lowPass = settings.lowPass.load();
        const double highPass = settings.highPass.load();
        const bool lowPassInLoop = settings.lowPassType.load();
        const bool highPassInLoop = settings.highPassType.load();
        const double pan = settings.pan.load();
        const double panDepth = settings.panDepth.load();
        const double mix = settings.mix.load();
        followFilterAmounts(lowPass, highPass);
        const bool lowPassOn = lowPass > 0.0;
        const bool highPassOn = highPass > 0.0;

        float dL = lineL[writePos];
        float dR = lineR[writePos];
        // Both inputs are read before any output is written, so in-place processing works.
        const float xL = inL[i];
        const float xR = inR[i];

        // gainL scales the echo heard on the left output, gainR the one on the right.
        float gainL = 1.0f;
        float gainR = 1.0f;
        if (pan < 0.5) {
            gainR = static_cast<float>(pan + pan);
        } else if (pan > 0.5) {
            gainL = static_cast<float>((1.0 - pan) + (1.0 - pan));
        }

        if (lowPassOn && lowPassInLoop) {
            dL = static_cast<float>(lowPassL.processSample(dL));
            dR = static_cast<float>(lowPassR.processSample(dR));
        }
        if (highPassOn && highPassInLoop) {
            dL = static_cast<float>(highPassL.processSample(dL));
            dR = static_cast<float>(highPassR.processSample(dR));
        }

        const std::int32_t k = modulationIndex(writePos, delaySamples);

        lineL[writePos] = keepFinite(feedBack * dL + xL);
        lineR[writePos] = keepFinite(feedBack * dR + xR);

        ++writePos;
        if (writePos >= delaySamples) {
            writtenExtent = std::max(writtenExtent, writePos);
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

        // The echoes cross over: the left input's echo is heard on the right.
        const double eL = static_cast<double>(dR * gainL);
        const double eR = static_cast<double>(dL * gainR);
        const double m = panDepth * sineTable[k];

        if (panPhase) {
            outL[i] = keepFinite(static_cast<float>(eL * mix * (1.0 - m) + xL));
            outR[i] = keepFinite(static_cast<float>(eR * mix + xR));
        } else {
            outL[i] = keepFinite(static_cast<float>(eL * mix + xL));
            outR[i] = keepFinite(static_cast<float>(eR * mix * (1.0 - m) + xR));
        }
    }
}
