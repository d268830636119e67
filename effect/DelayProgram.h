// One of the 26 program memories. Every parameter change is also written into the current
// program, from whichever thread makes it, so the values are atomics like the settings.
#pragma once

#include <atomic>

#include "FactoryPrograms.h"

struct DelayProgram {
    std::atomic<float> delayTime{0.0f};
    std::atomic<float> feedBack{0.0f};
    std::atomic<double> lowPass{0.0};
    std::atomic<double> highPass{0.0};
    std::atomic<bool> highPassType{false};
    std::atomic<bool> lowPassType{false};
    std::atomic<double> pan{0.0};
    std::atomic<double> panDepth{0.0};
    std::atomic<double> mix{0.0};
    // At most 24 characters and a terminator are ever stored; guarded by the effect's name lock.
    char name[256] = {};

    void assign(const FactoryProgram& preset);
};
