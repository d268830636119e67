// The host side of the plug-in interface: the callback a plug-in gets through VSTPluginMain, and
// the few facts about the host it answers from.
#pragma once

#include "AEffect.h"

// What the host tells a plug-in that asks. One record serves every instance: the hosts of this
// project run their instances at one rate and block size at a time.
struct HostState {
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 512;
    bool rendering = false;  // inside processReplacing: the process level is "offline"
};

HostState& hostState();

constexpr VstInt32 kHostVendorVersion = 1000;
constexpr const char* kHostVendor = "ZvDelay32 developers";
constexpr const char* kHostProduct = "zvhost";

// A plain host: the version, the rate and block size of hostState(), both stereo pins connected,
// replacing, its names; time info, automation, MIDI, windows and file selectors are declined.
VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt);

// A host that answers the version query and nothing else.
VstIntPtr quietHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                    float opt);
