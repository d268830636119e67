// The 26 program memories: choosing one applies its nine values; every later change is kept in
// it for the life of the instance.
#include <cstring>

#include "DelayEffect.h"
#include "ParameterFields.h"
#include "TextBuffer.h"

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

bool isProgramIndex(VstInt32 index) {
    return static_cast<std::uint32_t>(index) < static_cast<std::uint32_t>(kNumPrograms);
}
}  // namespace

void DelayProgram::assign(const FactoryProgram& preset) {
    parameter_fields::copy(*this, preset);
    copyTextEndingAtLimit(name, preset.name, kVstMaxProgNameLen);
}

void DelayEffect::setProgram(VstInt32 program) {
    if (!isProgramIndex(program)) return;
    curProgram.store(program, kRelaxed);
    // Each value goes through setParameter, which writes it back into this same program: the
    // doubles end up holding their single-precision values.
    const DelayProgram& p = programs[static_cast<std::size_t>(program)];
    for (VstInt32 index = 0; index < kNumParams; ++index) {
        setParameter(index, parameter_fields::load(p, index));
    }
}

void DelayEffect::setProgramName(char* name) {
    if (name == nullptr) return;
    const std::lock_guard<std::mutex> guard(programNamesLock);
    copyTextEndingAtLimit(currentProgram().name, name, kVstMaxProgNameLen);
}

void DelayEffect::getProgramName(char* name) {
    const std::lock_guard<std::mutex> guard(programNamesLock);
    copyTextEndingAtLimit(name, currentProgram().name, kVstMaxProgNameLen);
}

bool DelayEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!isProgramIndex(index) || text == nullptr) return false;
    const std::lock_guard<std::mutex> guard(programNamesLock);
    copyTextEndingAtLimit(text, programs[static_cast<std::size_t>(index)].name, kVstMaxProgNameLen);
    return true;
}
