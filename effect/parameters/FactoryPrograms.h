// The 26 programs the effect ships with.
#pragma once

#include <array>

#include "EchoValues.h"

struct FactoryProgram {
    const char* name;
    EchoValues<Plain> values;
};

constexpr int kNumPrograms = 26;

extern const std::array<FactoryProgram, kNumPrograms> kFactoryPrograms;
