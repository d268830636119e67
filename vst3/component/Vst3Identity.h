// The names a VST 3 host keeps for this plug-in: the class id, the category it is filed under,
// the program list and the program-change parameter. Chosen once; never change them.
#pragma once

#include "Vst3Controller.h"

namespace vst3id {

// The one class: processor and controller in one object.
inline constexpr vst3::Uid kClassId{0x5A764438, 0x5A656C76, 0x44656C61, 0x79333200};
inline constexpr const char* kCategory = "Audio Module Class";
inline constexpr const char* kSubCategories = "Fx|Delay";
inline constexpr const char* kSdkVersion = "VST 3.7.7";

// The parameters keep their VST 2 indexes as ids; the program change comes after them.
inline constexpr vst3::ParamID kProgramChangeId = 1000;
inline constexpr vst3::ProgramListID kProgramListId = 1;

}  // namespace vst3id
