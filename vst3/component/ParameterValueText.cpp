#include "ParameterValueText.h"

#include "DelayLength.h"
#include "ValueText.h"

namespace parameter_text {

void write(const DelayCore& core, int index, float value, char* text) {
    const ParameterRow* row = parameterRow(index);
    if (row == nullptr || text == nullptr) return;
    if (value == core.parameter(index)) {
        core.displayText(index, text, kLength);
        return;
    }
    switch (row->display) {
        case DisplayRule::DelayInSamples:
            valuetext::int2string(delayLengthInSamples(core.sampleRate(), value), text, kLength);
            break;
        case DisplayRule::Fraction:
            valuetext::float2string(value, text, kLength);
            break;
        case DisplayRule::Switch:
            valuetext::int2string(value != 0.0f ? 1 : 0, text, kLength);
            break;
    }
}

}  // namespace parameter_text
