// The 26 program memories: loading one applies its nine values; every later change is kept in it
// for the life of the instance.
#include "DelayCore.h"
#include "ParameterFields.h"
#include "TextBuffer.h"

namespace {
bool isProgramIndex(int index) {
    return static_cast<unsigned>(index) < static_cast<unsigned>(kNumPrograms);
}
}  // namespace

ProgramMemory& DelayCore::currentMemory() {
    // `current` only ever holds a valid index; the bound keeps that true by construction.
    const auto index = static_cast<std::size_t>(program());
    return programs[index < programs.size() ? index : 0];
}

void DelayCore::selectProgram(int index) {
    if (!isProgramIndex(index)) return;
    current.store(index, std::memory_order_relaxed);
    // Each value goes through setParameter, which writes it back into this same memory: the
    // doubles end up holding their single-precision values.
    const ProgramMemory& memory = programs[static_cast<std::size_t>(index)];
    for (int parameter = 0; parameter < kNumParams; ++parameter) {
        setParameter(parameter, parameter_fields::load(memory.values, parameter));
    }
}

void DelayCore::renameProgram(const char* name) {
    if (name == nullptr) return;
    const std::lock_guard<std::mutex> guard(namesLock);
    copyTextEndingAtLimit(currentMemory().name, name, kProgramNameLength);
}

bool DelayCore::programName(int index, char* text, std::size_t maxLength) const {
    if (!isProgramIndex(index) || text == nullptr) return false;
    const std::lock_guard<std::mutex> guard(namesLock);
    copyTextEndingAtLimit(text, programs[static_cast<std::size_t>(index)].name, maxLength);
    return true;
}

float DelayCore::factoryValue(int index) const {
    return parameter_fields::load(kFactoryPrograms[static_cast<std::size_t>(program())].values,
                                  index);
}

float DelayCore::programValue(int index, int parameter) const {
    if (!isProgramIndex(index)) return 0.0f;
    return parameter_fields::load(programs[static_cast<std::size_t>(index)].values, parameter);
}

void DelayCore::storeProgram(int index, const std::array<float, kNumParams>& values,
                             const char* name) {
    if (!isProgramIndex(index)) return;
    ProgramMemory& memory = programs[static_cast<std::size_t>(index)];
    for (int parameter = 0; parameter < kNumParams; ++parameter) {
        parameter_fields::store(memory.values, parameter,
                                values[static_cast<std::size_t>(parameter)]);
    }
    const std::lock_guard<std::mutex> guard(namesLock);
    copyTextEndingAtLimit(memory.name, name, kProgramNameLength);
}
