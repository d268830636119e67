// The text a host shows for a value a parameter may take, not only the one it has: VST 3 hosts
// ask for any value (an automation lane's points). For the current value it is the core's own
// display text; for another, the same display rule applied to that value.
#pragma once

#include <cstdint>

#include "DelayCore.h"

namespace parameter_text {

// As long as the VST 2 plug-in's display texts.
inline constexpr std::int32_t kLength = 8;

// The text for `value` of parameter `index` into `text` of kLength + 1 bytes.
void write(const DelayCore& core, int index, float value, char* text);

}  // namespace parameter_text
