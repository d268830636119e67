// What the host should read back, kept independently of the effect: the nine values of each of
// the 26 program memories, their names, and which one is current. Parameter changes go into the
// current memory; choosing a memory makes its values current.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "AEffect.h"
#include "FactoryPrograms.h"
#include "ParameterTable.h"

class ProgramModel {
public:
    ProgramModel() {
        for (int p = 0; p < kNumPrograms; ++p) {
            const EchoValues<Plain>& f = kFactoryPrograms[static_cast<std::size_t>(p)].values;
            values[p] = {f.delayTime,
                         f.feedBack,
                         static_cast<float>(f.lowPass),
                         static_cast<float>(f.highPass),
                         f.lowPassInLoop ? 1.0f : 0.0f,
                         f.highPassInLoop ? 1.0f : 0.0f,
                         static_cast<float>(f.pan),
                         static_cast<float>(f.panWidth),
                         static_cast<float>(f.mix)};
            names[p] = kFactoryPrograms[static_cast<std::size_t>(p)].name;
        }
    }

    void setParameter(VstInt32 index, float value) {
        if (!isParameter(index)) return;
        const bool isSwitch = index == kLowPassInLoop || index == kHighPassInLoop;
        values[current][static_cast<std::size_t>(index)] =
            isSwitch ? (value != 0.0f ? 1.0f : 0.0f) : value;
    }

    // effSetProgram: anything but 0..25 is ignored.
    void setProgram(VstIntPtr value) {
        if (value >= 0 && value < kNumPrograms) current = static_cast<int>(value);
    }

    void renameCurrent(const char* text, std::size_t available) {
        names[current].assign(text, strnlen(text, std::min<std::size_t>(available, 24)));
    }

    float parameter(VstInt32 index) const {
        return isParameter(index) ? values[current][static_cast<std::size_t>(index)] : 0.0f;
    }
    int currentProgram() const { return current; }
    const std::string& name(int program) const { return names[program]; }

    // Equal as the host sees it: the same bits, or both not a number.
    static bool same(float a, float b) {
        if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
        std::uint32_t x, y;
        std::memcpy(&x, &a, 4);
        std::memcpy(&y, &b, 4);
        return x == y;
    }

private:
    static bool isParameter(VstInt32 index) { return index >= 0 && index < kNumParams; }

    std::array<std::array<float, kNumParams>, kNumPrograms> values{};
    std::array<std::string, kNumPrograms> names{};
    int current = 0;
};
