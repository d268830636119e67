#include "HostCallback.h"

#include <cstring>

namespace {

// Process levels and automation states as VST 2.4 hosts report them.
constexpr VstIntPtr kProcessLevelUser = 1;
constexpr VstIntPtr kProcessLevelOffline = 4;
constexpr VstIntPtr kAutomationOff = 1;
constexpr VstIntPtr kLanguageEnglish = 1;

VstIntPtr copyText(void* destination, const char* text) {
    if (destination == nullptr) return 0;
    // Vendor and product buffers hold 64 characters and a terminator.
    std::strncpy(static_cast<char*>(destination), text, kVstMaxVendorStrLen);
    static_cast<char*>(destination)[kVstMaxVendorStrLen] = '\0';
    return 1;
}

}  // namespace

HostState& hostState() {
    static HostState state;
    return state;
}

VstIntPtr hostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 index, VstIntPtr /*value*/,
                       void* ptr, float /*opt*/) {
    const HostState& state = hostState();
    switch (opcode) {
        case audioMasterVersion:
            return kVstVersion;
        case audioMasterPinConnected:
            return index < 2 ? 0 : 1;  // 0 means connected: both are
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(state.sampleRate);
        case audioMasterGetBlockSize:
            return state.blockSize;
        case audioMasterGetCurrentProcessLevel:
            return state.rendering ? kProcessLevelOffline : kProcessLevelUser;
        case audioMasterGetAutomationState:
            return kAutomationOff;
        case audioMasterWillReplaceOrAccumulate:
            return 1;  // replacing
        case audioMasterGetVendorString:
            return copyText(ptr, kHostVendor);
        case audioMasterGetProductString:
            return copyText(ptr, kHostProduct);
        case audioMasterGetVendorVersion:
            return kHostVendorVersion;
        case audioMasterGetLanguage:
            return kLanguageEnglish;
        case audioMasterUpdateDisplay:
            return 1;  // nothing on screen to update, but understood
        default:
            return 0;
    }
}

VstIntPtr quietHost(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/, VstIntPtr /*value*/,
                    void* /*ptr*/, float /*opt*/) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}
