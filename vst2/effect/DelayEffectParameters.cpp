// The nine parameters: how a value from the host becomes a setting, reads back, and shows.
#include "DelayEffect.h"
#include "ParameterFields.h"
#include "TextBuffer.h"

void DelayEffect::setParameter(VstInt32 index, float value) {
    // Values are stored as sent, not clamped: a host may rely on reading back what it wrote.
    parameter_fields::store(currentProgram(), index, value);
    parameter_fields::store(settings, index, value);
    if (index == kDelay) {
        updateDelaySamples();
        // Even the same value restarts the line: a new delay must not replay the old one.
        signalPath.requestRestart();
    }
    forwardToEditor(index, value);
}

float DelayEffect::getParameter(VstInt32 index) { return parameter_fields::load(settings, index); }

void DelayEffect::getParameterName(VstInt32 index, char* text) {
    if (const ParameterRow* row = parameterRow(index)) copyText(text, row->name, 32);
}

void DelayEffect::getParameterLabel(VstInt32 index, char* label) {
    if (const ParameterRow* row = parameterRow(index)) copyText(label, row->label, 32);
}

void DelayEffect::getParameterDisplay(VstInt32 index, char* text) {
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
