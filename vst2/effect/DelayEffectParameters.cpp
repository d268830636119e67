// The nine parameters' texts, as the host's lists and displays ask for them.
#include "DelayEffect.h"
#include "TextBuffer.h"

void DelayEffect::getParameterName(VstInt32 index, char* text) {
    if (const ParameterRow* row = parameterRow(index)) copyText(text, row->name, 32);
}

void DelayEffect::getParameterLabel(VstInt32 index, char* label) {
    if (const ParameterRow* row = parameterRow(index)) copyText(label, row->label, 32);
}

void DelayEffect::getParameterDisplay(VstInt32 index, char* text) {
    core.displayText(index, text, kVstMaxParamStrLen);
}
