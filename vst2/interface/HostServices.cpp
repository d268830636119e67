// The effect's requests to its host. Each wrapper fills in the opcode and arguments, passes this
// effect's record first and turns the host's answer into its result. Without a host nothing is
// called and each wrapper gives its fall-back answer; most of those are what an answer of 0
// turns into, so the null check lives in callHost.
#include <limits>

#include "AudioEffectX.h"

namespace {

bool nonZero(VstIntPtr answer) { return answer != 0; }
VstInt32 asOneOrZero(VstIntPtr answer) { return answer != 0 ? 1 : 0; }
VstInt32 as32(VstIntPtr answer) { return static_cast<VstInt32>(answer); }

template <typename T>
T* asPointer(VstIntPtr answer) {
    return reinterpret_cast<T*>(answer);
}

}  // namespace

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
    if (audioMaster == nullptr) return 0;
    return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion() {
    // A host that does not say which version it speaks is taken to speak the first.
    const VstInt32 version = as32(callHost(audioMasterVersion));
    return version != 0 ? version : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId() { return as32(callHost(audioMasterCurrentId)); }

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

// The host answers 0 for a connected pin; without a host every pin counts as connected.
bool AudioEffect::isInputConnected(VstInt32 input) {
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

// Asks for MIDI only when the effect is a synth or says it takes MIDI events.
void AudioEffectX::resume() {
    if ((cEffect.flags & effFlagsIsSynth) != 0) {
        wantEvents(1);
        return;
    }
    char capability[] = "receiveVstMidiEvent";
    if (canDo(capability) == 1) wantEvents(1);
}

void AudioEffectX::wantEvents(VstInt32 filter) { callHost(audioMasterWantMidi, 0, filter); }

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
    return asPointer<VstTimeInfo>(callHost(audioMasterGetTime, 0, filter));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events) {
    return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

VstInt32 AudioEffectX::tempoAt(VstInt32 pos) { return as32(callHost(audioMasterTempoAt, 0, pos)); }

VstInt32 AudioEffectX::getNumAutomatableParameters() {
    return as32(callHost(audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::getParameterQuantization() {
    return as32(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::ioChanged() { return nonZero(callHost(audioMasterIOChanged)); }

bool AudioEffectX::needIdle() { return nonZero(callHost(audioMasterNeedIdle)); }

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
    return nonZero(callHost(audioMasterSizeWindow, width, height));
}

// Only a positive answer replaces the stored rate; the result is the rate in force afterwards.
double AudioEffectX::updateSampleRate() {
    const VstIntPtr answer = callHost(audioMasterGetSampleRate);
    if (answer > 0) sampleRate.store(static_cast<float>(answer), std::memory_order_relaxed);
    return static_cast<double>(sampleRate.load(std::memory_order_relaxed));
}

// Only a positive answer replaces the stored block size; one too large for the 32-bit field is
// no usable block size either and is ignored rather than wrapped.
VstInt32 AudioEffectX::updateBlockSize() {
    const VstIntPtr answer = callHost(audioMasterGetBlockSize);
    if (answer > 0 && answer <= std::numeric_limits<VstInt32>::max()) {
        blockSize.store(static_cast<VstInt32>(answer), std::memory_order_relaxed);
    }
    return blockSize.load(std::memory_order_relaxed);
}

VstInt32 AudioEffectX::getInputLatency() { return as32(callHost(audioMasterGetInputLatency)); }

VstInt32 AudioEffectX::getOutputLatency() { return as32(callHost(audioMasterGetOutputLatency)); }

// The pin number is not part of the request.
AEffect* AudioEffectX::getPreviousPlug(VstInt32 /*input*/) {
    return asPointer<AEffect>(callHost(audioMasterGetPreviousPlug));
}

AEffect* AudioEffectX::getNextPlug(VstInt32 /*output*/) {
    return asPointer<AEffect>(callHost(audioMasterGetNextPlug));
}

VstInt32 AudioEffectX::willProcessReplacing() {
    return as32(callHost(audioMasterWillReplaceOrAccumulate));
}

VstInt32 AudioEffectX::getCurrentProcessLevel() {
    return as32(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState() {
    return as32(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::offlineStart(VstAudioFile* files, VstInt32 numAudioFiles,
                                VstInt32 numNewAudioFiles) {
    return nonZero(callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, files));
}

bool AudioEffectX::offlineRead(VstOfflineTask* task, VstInt32 option, bool readSource) {
    return nonZero(callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task));
}

bool AudioEffectX::offlineWrite(VstOfflineTask* task, VstInt32 option) {
    return nonZero(callHost(audioMasterOfflineWrite, 0, option, task));
}

VstInt32 AudioEffectX::offlineGetCurrentPass() {
    return asOneOrZero(callHost(audioMasterOfflineGetCurrentPass));
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass() {
    return asOneOrZero(callHost(audioMasterOfflineGetCurrentMetaPass));
}

void AudioEffectX::setOutputSamplerate(float rate) {
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement() {
    return asPointer<VstSpeakerArrangement>(callHost(audioMasterGetOutputSpeakerArrangement));
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement() {
    return asPointer<VstSpeakerArrangement>(callHost(audioMasterGetInputSpeakerArrangement));
}

bool AudioEffectX::getHostVendorString(char* text) {
    return nonZero(callHost(audioMasterGetVendorString, 0, 0, text));
}

bool AudioEffectX::getHostProductString(char* text) {
    return nonZero(callHost(audioMasterGetProductString, 0, 0, text));
}

VstInt32 AudioEffectX::getHostVendorVersion() {
    return as32(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 arg1, VstIntPtr arg2, void* ptrArg,
                                           float floatArg) {
    return callHost(audioMasterVendorSpecific, arg1, arg2, ptrArg, floatArg);
}

VstInt32 AudioEffectX::canHostDo(char* text) {
    return asOneOrZero(callHost(audioMasterCanDo, 0, 0, text));
}

VstInt32 AudioEffectX::getHostLanguage() { return as32(callHost(audioMasterGetLanguage)); }

VstInt32 AudioEffectX::openWindow(void* window) {
    return as32(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow(void* window) {
    return nonZero(callHost(audioMasterCloseWindow, 0, 0, window));
}

void* AudioEffectX::getDirectory() { return asPointer<void>(callHost(audioMasterGetDirectory)); }

bool AudioEffectX::updateDisplay() { return nonZero(callHost(audioMasterUpdateDisplay)); }

bool AudioEffectX::beginEdit(VstInt32 index) {
    return nonZero(callHost(audioMasterBeginEdit, index));
}

bool AudioEffectX::endEdit(VstInt32 index) { return nonZero(callHost(audioMasterEndEdit, index)); }

// The file requests need something to work on: without it the host is not bothered.
bool AudioEffectX::openFileSelector(VstFileSelect* selector) {
    if (selector == nullptr) return false;
    return nonZero(callHost(audioMasterOpenFileSelector, 0, 0, selector));
}

bool AudioEffectX::closeFileSelector(VstFileSelect* selector) {
    if (selector == nullptr) return false;
    return nonZero(callHost(audioMasterCloseFileSelector, 0, 0, selector));
}

bool AudioEffectX::getChunkFile(void* nativePath) {
    if (nativePath == nullptr) return false;
    return nonZero(callHost(audioMasterGetChunkFile, 0, 0, nativePath));
}
