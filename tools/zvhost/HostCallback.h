// The host side of the plug-in interface: the callback every plug-in gets through VSTPluginMain,
// and the few facts about the host it answers from.
#pragma once

#include "AEffect.h"

namespace zvhost {

// What the host tells a plug-in that asks. zvhost runs one plug-in at a time, so one record
// serves every instance.
struct HostState {
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 512;
    bool rendering = false;  // inside processReplacing: the process level is "offline"
};

HostState& hostState();

constexpr VstInt32 kHostVendorVersion = 1000;
constexpr const char* kHostVendor = "ZvDelay32 developers";
constexpr const char* kHostProduct = "zvhost";

VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                       void* ptr, float opt);

}  // namespace zvhost
