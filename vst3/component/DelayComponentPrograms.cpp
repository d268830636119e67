// The unit and its program list: the 26 programs, named as the VST 2 plug-in names them, chosen
// through the program-change parameter.
#include "DelayComponent.h"
#include "Utf16Text.h"
#include "Vst3Identity.h"

vst3::tresult DelayComponent::getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) {
    if (unitIndex != 0) return vst3::kInvalidArgument;
    info.id = vst3::kRootUnitId;
    info.parentUnitId = vst3::kNoParentUnitId;
    utf16::copyInto(info.name, "Root");
    info.programListId = vst3id::kProgramListId;
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::getProgramListInfo(vst3::int32 listIndex,
                                                 vst3::ProgramListInfo& info) {
    if (listIndex != 0) return vst3::kInvalidArgument;
    info.id = vst3id::kProgramListId;
    utf16::copyInto(info.name, "Programs");
    info.programCount = kNumPrograms;
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::getProgramName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                             vst3::String128 name) {
    char text[kProgramNameLength + 1] = {};
    if (listId != vst3id::kProgramListId || name == nullptr ||
        !core.programName(programIndex, text, kProgramNameLength)) {
        return vst3::kInvalidArgument;
    }
    utf16::copyInto(name, text);
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::getProgramInfo(vst3::ProgramListID /*listId*/,
                                             vst3::int32 /*programIndex*/,
                                             const char* /*attributeId*/,
                                             vst3::String128 /*attributeValue*/) {
    return vst3::kResultFalse;
}

vst3::tresult DelayComponent::hasProgramPitchNames(vst3::ProgramListID /*listId*/,
                                                   vst3::int32 /*programIndex*/) {
    return vst3::kResultFalse;
}

vst3::tresult DelayComponent::getProgramPitchName(vst3::ProgramListID /*listId*/,
                                                  vst3::int32 /*programIndex*/,
                                                  vst3::int16 /*midiPitch*/,
                                                  vst3::String128 /*name*/) {
    return vst3::kResultFalse;
}

vst3::tresult DelayComponent::selectUnit(vst3::UnitID unitId) {
    return unitId == vst3::kRootUnitId ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult DelayComponent::getUnitByBus(vst3::int32 /*type*/, vst3::int32 /*dir*/,
                                           vst3::int32 /*busIndex*/, vst3::int32 /*channel*/,
                                           vst3::UnitID& unitId) {
    unitId = vst3::kRootUnitId;
    return vst3::kResultOk;
}

vst3::tresult DelayComponent::setUnitProgramData(vst3::int32 /*listOrUnitId*/,
                                                 vst3::int32 /*programIndex*/,
                                                 vst3::IBStream* /*data*/) {
    return vst3::kNotImplemented;
}
