// The 26 programs the effect ships with.
#pragma once

#include <array>

struct FactoryProgram {
    const char* name;
    float delayTime;
    float feedBack;
    double lowPass;
    double highPass;
    bool lowPassType;
    bool highPassType;
    double pan;
    double panDepth;
    double mix;
};

constexpr int kNumPrograms = 26;

extern const std::array<FactoryProgram, kNumPrograms> kFactoryPrograms;
