// One of the 26 program memories. Every parameter change is also written into the current
// program, from whichever thread makes it, so the values are settings like the current ones.
#pragma once

#include "EchoSettings.h"
#include "FactoryPrograms.h"

struct DelayProgram {
    EchoSettings::Setting<float> delayTime{};
    EchoSettings::Setting<float> feedBack{};
    EchoSettings::Setting<double> lowPass{};
    EchoSettings::Setting<double> highPass{};
    EchoSettings::Setting<bool> highPassType{};
    EchoSettings::Setting<bool> lowPassType{};
    EchoSettings::Setting<double> pan{};
    EchoSettings::Setting<double> panDepth{};
    EchoSettings::Setting<double> mix{};
    // At most 24 characters and a terminator are ever stored; guarded by the effect's name lock.
    char name[256] = {};

    void assign(const FactoryProgram& preset);
};
