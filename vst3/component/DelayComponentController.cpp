// The controller: the nine parameters with their VST 2 names, units and texts, the program-change
// parameter, and the host's handler for the editor's edits.
#include <algorithm>
#include <cmath>

#include "DelayComponent.h"
#include "ParameterFields.h"
#include "Utf16Text.h"
#include "Vst3Identity.h"

namespace {

constexpr vst3::int32 kLastProgram = kNumPrograms - 1;
// As long as the VST 2 plug-in's display texts.
constexpr std::int32_t kDisplayLength = 8;

bool isEffectParameter(vst3::ParamID id) { return id < static_cast<vst3::ParamID>(kNumParams); }

}  // namespace

vst3::int32 DelayComponent::getParameterCount() { return kNumParams + 1; }

vst3::tresult DelayComponent::getParameterInfo(vst3::int32 paramIndex, vst3::ParameterInfo& info) {
    info = vst3::ParameterInfo{};
    info.unitId = vst3::kRootUnitId;
    if (paramIndex == kNumParams) {
        info.id = vst3id::kProgramChangeId;
        utf16::copyInto(info.title, "Program");
        utf16::copyInto(info.shortTitle, "Program");
        info.stepCount = kLastProgram;
        info.flags = vst3::ParameterInfo::kIsProgramChange | vst3::ParameterInfo::kIsList;
        return vst3::kResultOk;
    }
    const ParameterRow* row = parameterRow(paramIndex);
    if (row == nullptr) return vst3::kInvalidArgument;
    info.id = static_cast<vst3::ParamID>(paramIndex);
    utf16::copyInto(info.title, row->name);
    utf16::copyInto(info.shortTitle, row->name);
    utf16::copyInto(info.units, row->label);
    info.stepCount = row->display == DisplayRule::Switch ? 1 : 0;
    info.defaultNormalizedValue = parameter_fields::load(kFactoryPrograms[0].values, paramIndex);
    info.flags = vst3::ParameterInfo::kCanAutomate;
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::getParamStringByValue(vst3::ParamID id,
                                                    vst3::ParamValue valueNormalized,
                                                    vst3::String128 string) {
    if (string == nullptr || std::isnan(valueNormalized)) return vst3::kInvalidArgument;
    const double value = std::clamp(valueNormalized, 0.0, 1.0);
    if (id == vst3id::kProgramChangeId) {
        char name[kProgramNameLength + 1] = {};
        const auto program = static_cast<int>(std::lround(value * kLastProgram));
        if (!core.programName(program, name, kProgramNameLength)) return vst3::kInvalidArgument;
        utf16::copyInto(string, name);
        return vst3::kResultOk;
    }
    if (!isEffectParameter(id)) return vst3::kInvalidArgument;
    char text[kDisplayLength + 1] = {};
    core.displayTextOf(static_cast<int>(id), static_cast<float>(value), text, kDisplayLength);
    utf16::copyInto(string, text);
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::getParamValueByString(vst3::ParamID id, vst3::char16* string,
                                                    vst3::ParamValue& valueNormalized) {
    char text[64] = {};
    if (!isEffectParameter(id) || !utf16::asciiOf(string, text, sizeof text)) {
        return vst3::kResultFalse;
    }
    const std::optional<float> value = core.valueOfText(static_cast<int>(id), text);
    if (!value) return vst3::kResultFalse;
    valueNormalized = *value;
    return vst3::kResultOk;
}

vst3::ParamValue DelayComponent::normalizedParamToPlain(vst3::ParamID id,
                                                        vst3::ParamValue valueNormalized) {
    if (id == vst3id::kProgramChangeId) return std::round(valueNormalized * kLastProgram);
    return valueNormalized;
}

vst3::ParamValue DelayComponent::plainParamToNormalized(vst3::ParamID id, vst3::ParamValue plain) {
    if (id == vst3id::kProgramChangeId) return plain / kLastProgram;
    return plain;
}

vst3::ParamValue DelayComponent::getParamNormalized(vst3::ParamID id) {
    if (id == vst3id::kProgramChangeId) {
        return static_cast<vst3::ParamValue>(core.program()) / kLastProgram;
    }
    return isEffectParameter(id) ? core.parameter(static_cast<int>(id)) : 0.0;
}

// The host tells the controller a value it has sent, or is about to send, to the processor:
// here both are one, and the value is taken at once where it differs (see applyQueuedValue).
vst3::tresult DelayComponent::setParamNormalized(vst3::ParamID id, vst3::ParamValue value) {
    if (std::isnan(value)) return vst3::kInvalidArgument;
    // A host that changes the program through its parameter knows every value may have changed,
    // and is not told so from inside this call: Ardour 7 holds a lock across it that its
    // restartComponent takes again, and would wait for itself forever.
    if (id == vst3id::kProgramChangeId) {
        selectProgramOf(std::clamp(value, 0.0, 1.0));
        return vst3::kResultOk;
    }
    if (!isEffectParameter(id)) return vst3::kInvalidArgument;
    applyQueuedValue(id, value);
    return vst3::kResultOk;
}

void DelayComponent::selectProgramOf(vst3::ParamValue normalized) {
    const auto program = static_cast<int>(std::lround(normalized * kLastProgram));
    if (program != core.program()) core.selectProgram(program);
}

vst3::tresult DelayComponent::setComponentHandler(vst3::IComponentHandler* handler) {
    if (handler != nullptr) handler->addRef();
    vst3::IComponentHandler* before = componentHandler.exchange(handler);
    editorHost.setHandler(handler);
    if (before != nullptr) before->release();
    return vst3::kResultOk;
}

// After a program or a state changed every value at once.
void DelayComponent::tellHostValuesChanged() {
    if (vst3::IComponentHandler* handler = componentHandler.load()) {
        handler->restartComponent(vst3::IComponentHandler::kParamValuesChanged);
    }
}
