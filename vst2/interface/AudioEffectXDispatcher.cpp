// Opcodes 25 to 79; everything else goes, unchanged, to the base dispatcher.
#include <cmath>

#include "AudioEffectX.h"

namespace {
VstIntPtr answer(bool result) { return result ? 1 : 0; }
}  // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    const auto value32 = static_cast<VstInt32>(value);
    switch (opcode) {
        case effProcessEvents:
            return processEvents(static_cast<VstEvents*>(ptr));
        case effCanBeAutomated:
            return answer(canParameterBeAutomated(index));
        case effString2Parameter:
            return answer(string2parameter(index, static_cast<char*>(ptr)));
        case effGetProgramNameIndexed:
            return answer(getProgramNameIndexed(value32, index, static_cast<char*>(ptr)));
        case effGetInputProperties:
            return answer(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
        case effGetOutputProperties:
            return answer(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
        case effGetPlugCategory:
            return getPlugCategory();
        case effOfflineNotify:
            return answer(offlineNotify(static_cast<VstAudioFile*>(ptr), value32, index != 0));
        case effOfflinePrepare:
            return answer(offlinePrepare(static_cast<VstOfflineTask*>(ptr), value32));
        case effOfflineRun:
            return answer(offlineRun(static_cast<VstOfflineTask*>(ptr), value32));
        case effProcessVarIo:
            return answer(processVariableIo(static_cast<VstVariableIo*>(ptr)));
        case effSetSpeakerArrangement:
            return answer(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                                static_cast<VstSpeakerArrangement*>(ptr)));
        case effSetBypass:
            return answer(setBypass(value != 0));
        case effGetEffectName:
            return answer(getEffectName(static_cast<char*>(ptr)));
        case effGetVendorString:
            return answer(getVendorString(static_cast<char*>(ptr)));
        case effGetProductString:
            return answer(getProductString(static_cast<char*>(ptr)));
        case effGetVendorVersion:
            return getVendorVersion();
        case effVendorSpecific:
            return vendorSpecific(index, value, ptr, opt);
        case effCanDo:
            return canDo(static_cast<char*>(ptr));
        case effGetTailSize:
            return getGetTailSize();
        case effGetParameterProperties:
            return answer(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
        case effGetVstVersion:
            return getVstVersion();
        case effEditKeyDown:
        case effEditKeyUp:
            return dispatchEditorKey(opcode, index, value, opt);
        case effSetEditKnobMode:
            return editor != nullptr && editor->setKnobMode(value32) ? 1 : 0;
        case effGetMidiProgramName:
            return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
        case effGetCurrentMidiProgram:
            return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
        case effGetMidiProgramCategory:
            return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
        case effHasMidiProgramsChanged:
            return answer(hasMidiProgramsChanged(index));
        case effGetMidiKeyName:
            return answer(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
        case effBeginSetProgram:
            return answer(beginSetProgram());
        case effEndSetProgram:
            return answer(endSetProgram());
        case effGetSpeakerArrangement:
            return answer(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                                static_cast<VstSpeakerArrangement**>(ptr)));
        case effShellGetNextPlugin:
            return getNextShellPlugin(static_cast<char*>(ptr));
        case effStartProcess:
            return startProcess();
        case effStopProcess:
            return stopProcess();
        case effSetTotalSampleToProcess:
            return setTotalSampleToProcess(value32);
        case effSetPanLaw:
            return answer(setPanLaw(value32, opt));
        case effBeginLoadBank:
            return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
        case effBeginLoadProgram:
            return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
        case effSetProcessPrecision:
            return answer(setProcessPrecision(value32));
        case effGetNumMidiInputChannels:
            return getNumMidiInputChannels();
        case effGetNumMidiOutputChannels:
            return getNumMidiOutputChannels();
        default:
            return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

// The key arrives spread over three arguments: the character in index, the virtual key in the
// low byte of value, the modifiers in opt (truncated toward zero).
VstIntPtr AudioEffectX::dispatchEditorKey(VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                          float opt) {
    if (editor == nullptr) return 0;
    VstKeyCode key{};
    key.character = index;
    key.virt = static_cast<unsigned char>(value & 0xFF);
    // Modifier bits fit a byte; anything outside the 32-bit range (or NaN) carries none.
    const bool representable = std::isfinite(opt) && std::fabs(opt) < 2147483648.0f;
    key.modifier =
        representable ? static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xFF) : 0;
    const bool consumed = opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    return answer(consumed);
}
