// The audio: the host's setup, and each block split at the sample offsets of the host's queued
// parameter changes, so every change is heard exactly where the host placed it. The core gives the
// same samples however a block is split; a change at offset 0 is the VST 2 plug-in's change at
// the block boundary.
#include <algorithm>
#include <array>
#include <cmath>

#include "DelayComponent.h"
#include "Vst3Identity.h"

vst3::tresult DelayComponent::setBusArrangements(vst3::SpeakerArrangement* inputs,
                                                 vst3::int32 numIns,
                                                 vst3::SpeakerArrangement* outputs,
                                                 vst3::int32 numOuts) {
    const bool stereo = numIns == 1 && numOuts == 1 && inputs != nullptr && outputs != nullptr &&
                        inputs[0] == vst3::kStereo && outputs[0] == vst3::kStereo;
    return stereo ? vst3::kResultOk : vst3::kResultFalse;
}

vst3::tresult DelayComponent::getBusArrangement(vst3::int32 direction, vst3::int32 index,
                                                vst3::SpeakerArrangement& arrangement) {
    if (index != 0 || getBusCount(vst3::kAudio, direction) == 0) return vst3::kInvalidArgument;
    arrangement = vst3::kStereo;
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::canProcessSampleSize(vst3::int32 symbolicSampleSize) {
    return symbolicSampleSize == vst3::kSample32 ? vst3::kResultTrue : vst3::kResultFalse;
}

vst3::tresult DelayComponent::setupProcessing(vst3::ProcessSetup& setup) {
    if (setup.symbolicSampleSize != vst3::kSample32) return vst3::kResultFalse;
    // The VST 2 plug-in is handed its rate in single precision: the same number here.
    core.setSampleRate(static_cast<float>(setup.sampleRate));
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::setProcessing(vst3::TBool /*state*/) { return vst3::kResultOk; }

// How long the echoes last after the input stops: each pass round the lines scales them by the
// feedback (the filters only take away), so after n passes they are feedback^n of the first.
// Reported until they are 100 dB down; a feedback of 1 or more never fades.
vst3::uint32 DelayComponent::getTailSamples() {
    const std::optional<DelayLength> length = core.delayLength();
    const double samples = length ? std::max(length->samples, 1) : 1.0;
    const double feedback = std::fabs(static_cast<double>(core.parameter(kFeedBack)));
    if (!(feedback < 1.0)) return vst3::kInfiniteTail;
    const double passes = feedback > 0.0 ? std::ceil(std::log(1e-5) / std::log(feedback)) : 0.0;
    const double tail = (passes + 1.0) * samples;
    return tail < static_cast<double>(vst3::kInfiniteTail) ? static_cast<vst3::uint32>(tail)
                                                           : vst3::kInfiniteTail;
}

namespace {

// One queue's next point, read through as the block goes.
struct QueueCursor {
    vst3::IParamValueQueue* queue = nullptr;
    vst3::ParamID id = 0;
    vst3::int32 next = 0;
    vst3::int32 count = 0;
};

// More queues than parameters only come from a host repeating one: those beyond are dropped.
constexpr std::size_t kMostQueues = 16;

vst3::int32 offsetOf(QueueCursor& cursor, vst3::int32 frames) {
    vst3::int32 offset = 0;
    vst3::ParamValue value = 0.0;
    if (cursor.queue->getPoint(cursor.next, offset, value) != vst3::kResultOk) return frames;
    return std::clamp(offset, 0, frames);
}

}  // namespace

vst3::tresult DelayComponent::process(vst3::ProcessData& data) {
    if (data.symbolicSampleSize != vst3::kSample32) return vst3::kResultFalse;
    const vst3::int32 frames = std::max(data.numSamples, 0);

    std::array<QueueCursor, kMostQueues> cursors{};
    std::size_t queues = 0;
    if (vst3::IParameterChanges* changes = data.inputParameterChanges) {
        const vst3::int32 count = changes->getParameterCount();
        for (vst3::int32 i = 0; i < count && queues < kMostQueues; ++i) {
            vst3::IParamValueQueue* queue = changes->getParameterData(i);
            if (queue == nullptr) continue;
            cursors[queues++] =
                QueueCursor{queue, queue->getParameterId(), 0, queue->getPointCount()};
        }
    }

    const auto channel = [](vst3::AudioBusBuffers* buses, vst3::int32 count, int index) -> float* {
        if (buses == nullptr || count < 1 || buses[0].numChannels < 2) return nullptr;
        return buses[0].channelBuffers32 != nullptr ? buses[0].channelBuffers32[index] : nullptr;
    };
    float* inL = channel(data.inputs, data.numInputs, 0);
    float* inR = channel(data.inputs, data.numInputs, 1);
    float* outL = channel(data.outputs, data.numOutputs, 0);
    float* outR = channel(data.outputs, data.numOutputs, 1);
    const auto at = [](float* buffer, vst3::int32 offset) {
        return buffer != nullptr ? buffer + offset : nullptr;
    };

    vst3::int32 done = 0;
    for (;;) {
        // Every point due at or before here is applied, in the order the host queued them.
        vst3::int32 nextChange = frames + 1;
        for (std::size_t q = 0; q < queues; ++q) {
            QueueCursor& cursor = cursors[q];
            while (cursor.next < cursor.count && offsetOf(cursor, frames) <= done) {
                vst3::int32 offset = 0;
                vst3::ParamValue value = 0.0;
                cursor.queue->getPoint(cursor.next, offset, value);
                applyQueuedValue(cursor.id, value);
                ++cursor.next;
            }
            if (cursor.next < cursor.count) {
                nextChange = std::min(nextChange, offsetOf(cursor, frames));
            }
        }
        if (done >= frames) break;
        const vst3::int32 end = std::min(nextChange, frames);
        core.process(at(inL, done), at(inR, done), at(outL, done), at(outR, done), end - done);
        done = end;
    }
    if (data.outputs != nullptr && data.numOutputs >= 1) data.outputs[0].silenceFlags = 0;
    return vst3::kResultOk;
}

// A value outside 0..1 is held at the nearer end, and one that is not a number is dropped. A point
// that repeats the parameter's value changes nothing: hosts send a lane's value again in later
// blocks and echo the editor's own edits back, and a Delay set again would silence the lines.
void DelayComponent::applyQueuedValue(vst3::ParamID id, vst3::ParamValue value) {
    if (std::isnan(value)) return;
    const vst3::ParamValue normalized = std::clamp(value, 0.0, 1.0);
    if (id == vst3id::kProgramChangeId) {
        selectProgramOf(normalized);
        return;
    }
    if (id >= static_cast<vst3::ParamID>(kNumParams)) return;
    const int index = static_cast<int>(id);
    const auto single = static_cast<float>(normalized);
    if (single != core.parameter(index)) core.setParameter(index, single);
}
