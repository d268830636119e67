#include "PortEditorHost.h"

#include "DelayLength.h"
#include "FactoryPrograms.h"
#include "Lv2Identity.h"
#include "ParameterFields.h"

namespace {
bool isParameter(int index) { return index >= 0 && index < kNumParams; }
}  // namespace

PortEditorHost::PortEditorHost(LV2UI_Write_Function writeFunction, LV2UI_Controller host,
                               const LV2UI_Touch* touch, std::optional<double> sampleRate)
    : write(writeFunction), controller(host), touchFeature(touch) {
    // The plug-in takes the host's rate in single precision.
    if (sampleRate) rate = static_cast<float>(*sampleRate);
    for (int index = 0; index < kNumParams; ++index) {
        values[static_cast<std::size_t>(index)] =
            parameter_fields::load(kFactoryPrograms[0].values, index);
    }
}

void PortEditorHost::portValueArrived(int index, float value) {
    if (isParameter(index)) values[static_cast<std::size_t>(index)] = value;
}

float PortEditorHost::parameterValue(int index) {
    return isParameter(index) ? values[static_cast<std::size_t>(index)] : 0.0f;
}

std::optional<DelayLength> PortEditorHost::delayLength() {
    if (!rate) return std::nullopt;
    return DelayLength{delayLengthInSamples(*rate, values[kDelay]), *rate};
}

float PortEditorHost::factoryValue(int index) {
    return isParameter(index) ? parameter_fields::load(kFactoryPrograms[0].values, index) : 0.0f;
}

void PortEditorHost::beginGesture(int index) { touch(index, true); }

void PortEditorHost::changeByGesture(int index, float value) {
    if (!isParameter(index)) return;
    values[static_cast<std::size_t>(index)] = value;
    // Format 0: a plain float for a control port.
    if (write != nullptr) write(controller, lv2id::controlPort(index), sizeof value, 0, &value);
}

void PortEditorHost::endGesture(int index) { touch(index, false); }

void PortEditorHost::touch(int index, bool grabbed) {
    if (touchFeature == nullptr || touchFeature->touch == nullptr || !isParameter(index)) return;
    touchFeature->touch(touchFeature->handle, lv2id::controlPort(index), grabbed);
}
