// The 26 program memories: choosing one applies its nine values; every later change is kept in
// it for the life of the instance.
#include <cstring>

#include "TextBuffer.h"
#include "VstXSynth.h"

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;

bool isProgramIndex(VstInt32 index) {
    return static_cast<std::uint32_t>(index) < static_cast<std::uint32_t>(kNumPrograms);
}
}  // namespace

void DelayProgram::assign(const FactoryProgram& preset) {
    delayTime.store(preset.delayTime, kRelaxed);
    feedBack.store(preset.feedBack, kRelaxed);
    lowPass.store(preset.lowPass, kRelaxed);
    highPass.store(preset.highPass, kRelaxed);
    highPassType.store(preset.highPassType, kRelaxed);
    lowPassType.store(preset.lowPassType, kRelaxed);
    pan.store(preset.pan, kRelaxed);
    panDepth.store(preset.panDepth, kRelaxed);
    mix.store(preset.mix, kRelaxed);
    copyText(name, preset.name, kVstMaxProgNameLen);
}

void VstXSynth::setProgram(VstInt32 program) {
    if (!isProgramIndex(program)) return;
    curProgram.store(program, kRelaxed);
    // Each value goes through setParameter, which writes it back into this same program: the
    // doubles end up holding their single-precision values.
    DelayProgram& p = programs[static_cast<std::size_t>(program)];
    setParameter(kDelay, p.delayTime.load(kRelaxed));
    setParameter(kFeedBack, p.feedBack.load(kRelaxed));
    setParameter(kLowPass, static_cast<float>(p.lowPass.load(kRelaxed)));
    setParameter(kHighPass, static_cast<float>(p.highPass.load(kRelaxed)));
    setParameter(kLowPassType, p.lowPassType.load(kRelaxed) ? 1.0f : 0.0f);
    setParameter(kHighPassType, p.highPassType.load(kRelaxed) ? 1.0f : 0.0f);
    setParameter(kPan, static_cast<float>(p.pan.load(kRelaxed)));
    setParameter(kPanDepth, static_cast<float>(p.panDepth.load(kRelaxed)));
    setParameter(kMix, static_cast<float>(p.mix.load(kRelaxed)));
}

void VstXSynth::setProgramName(char* name) {
    if (name == nullptr) return;
    const std::lock_guard<std::mutex> guard(programNamesLock);
    copyText(currentProgram().name, name, kVstMaxProgNameLen);
}

void VstXSynth::getProgramName(char* name) {
    const std::lock_guard<std::mutex> guard(programNamesLock);
    copyText(name, currentProgram().name, kVstMaxProgNameLen);
}

bool VstXSynth::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!isProgramIndex(index) || text == nullptr) return false;
    const std::lock_guard<std::mutex> guard(programNamesLock);
    copyText(text, programs[static_cast<std::size_t>(index)].name, kVstMaxProgNameLen);
    return true;
}
