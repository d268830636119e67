// The nine parameters: how a value from the host becomes a setting, reads back, and shows.
#include "TextBuffer.h"
#include "VstXSynth.h"

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;
}

void VstXSynth::setParameter(VstInt32 index, float value) {
    DelayProgram& cur = currentProgram();
    const auto wide = static_cast<double>(value);
    // Values are stored as sent, not clamped: a host may rely on reading back what it wrote.
    switch (index) {
        case kDelay:
            settings.delayTime.store(value);
            cur.delayTime.store(value, kRelaxed);
            updateDelaySamples();
            // Even the same value restarts the line: a new delay must not replay the old one.
            signalPath.requestRestart();
            break;
        case kFeedBack:
            cur.feedBack.store(value, kRelaxed);
            settings.feedBack.store(value);
            break;
        case kLowPass:
            cur.lowPass.store(wide, kRelaxed);
            settings.lowPass.store(wide);
            break;
        case kHighPass:
            cur.highPass.store(wide, kRelaxed);
            settings.highPass.store(wide);
            break;
        case kLowPassType:
            cur.lowPassType.store(value != 0.0f, kRelaxed);
            settings.lowPassType.store(value != 0.0f);
            break;
        case kHighPassType:
            cur.highPassType.store(value != 0.0f, kRelaxed);
            settings.highPassType.store(value != 0.0f);
            break;
        case kPan:
            cur.pan.store(wide, kRelaxed);
            settings.pan.store(wide);
            break;
        case kPanDepth:
            cur.panDepth.store(wide, kRelaxed);
            settings.panDepth.store(wide);
            break;
        case kMix:
            cur.mix.store(wide, kRelaxed);
            settings.mix.store(wide);
            break;
        default:
            break;
    }
    forwardToEditor(index, value);
}

float VstXSynth::getParameter(VstInt32 index) {
    switch (index) {
        case kDelay:
            return settings.delayTime.load();
        case kFeedBack:
            return settings.feedBack.load();
        case kLowPass:
            return static_cast<float>(settings.lowPass.load());
        case kHighPass:
            return static_cast<float>(settings.highPass.load());
        case kLowPassType:
            return settings.lowPassType.load() ? 1.0f : 0.0f;
        case kHighPassType:
            return settings.highPassType.load() ? 1.0f : 0.0f;
        case kPan:
            return static_cast<float>(settings.pan.load());
        case kPanDepth:
            return static_cast<float>(settings.panDepth.load());
        case kMix:
            return static_cast<float>(settings.mix.load());
        default:
            return 0.0f;
    }
}

void VstXSynth::getParameterName(VstInt32 index, char* text) {
    if (const ParameterRow* row = parameterRow(index)) copyText(text, row->name, 32);
}

void VstXSynth::getParameterLabel(VstInt32 index, char* label) {
    if (const ParameterRow* row = parameterRow(index)) copyText(label, row->label, 32);
}

void VstXSynth::getParameterDisplay(VstInt32 index, char* text) {
    const ParameterRow* row = parameterRow(index);
    if (row == nullptr || text == nullptr) return;
    switch (row->display) {
        case DisplayRule::DelayInSamples:
            int2string(settings.delaySamples.load(), text, kVstMaxParamStrLen);
            break;
        case DisplayRule::Fraction:
            float2string(getParameter(index), text, kVstMaxParamStrLen);
            break;
        case DisplayRule::Switch:
            int2string(getParameter(index) != 0.0f ? 1 : 0, text, kVstMaxParamStrLen);
            break;
    }
}
