// One of the 26 program memories: the nine values and a name. Every parameter change is also
// written into the current memory, from whichever thread makes it, so the values are shared like
// the current settings; the names are guarded by the core's lock.
#pragma once

#include "EchoValues.h"

// The longest program name kept, as hosts show them.
inline constexpr int kProgramNameLength = 24;

struct ProgramMemory {
    EchoValues<Shared> values;
    char name[kProgramNameLength + 1] = {};
};
