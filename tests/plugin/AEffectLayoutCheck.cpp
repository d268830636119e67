// The record is read by hosts compiled elsewhere: its layout is checked at compile time, for
// the build at hand (64-bit) and, compiled with -m32, for the 32-bit table of 144 bytes.
#include <cstddef>

#include "AEffect.h"

#define ZV_AT(field, offset) static_assert(offsetof(AEffect, field) == (offset), #field)

#if defined(__x86_64__)
ZV_AT(magic, 0);
ZV_AT(dispatcher, 8);
ZV_AT(process, 16);
ZV_AT(setParameter, 24);
ZV_AT(getParameter, 32);
ZV_AT(numPrograms, 40);
ZV_AT(numParams, 44);
ZV_AT(numInputs, 48);
ZV_AT(numOutputs, 52);
ZV_AT(flags, 56);
ZV_AT(resvd1, 64);
ZV_AT(resvd2, 72);
ZV_AT(initialDelay, 80);
ZV_AT(realQualities, 84);
ZV_AT(offQualities, 88);
ZV_AT(ioRatio, 92);
ZV_AT(object, 96);
ZV_AT(user, 104);
ZV_AT(uniqueID, 112);
ZV_AT(version, 116);
ZV_AT(processReplacing, 120);
ZV_AT(processDoubleReplacing, 128);
ZV_AT(future, 136);
static_assert(sizeof(AEffect) == 192);
#elif defined(__i386__)
ZV_AT(magic, 0);
ZV_AT(dispatcher, 4);
ZV_AT(process, 8);
ZV_AT(setParameter, 12);
ZV_AT(getParameter, 16);
ZV_AT(numPrograms, 20);
ZV_AT(numParams, 24);
ZV_AT(numInputs, 28);
ZV_AT(numOutputs, 32);
ZV_AT(flags, 36);
ZV_AT(resvd1, 40);
ZV_AT(resvd2, 44);
ZV_AT(initialDelay, 48);
ZV_AT(realQualities, 52);
ZV_AT(offQualities, 56);
ZV_AT(ioRatio, 60);
ZV_AT(object, 64);
ZV_AT(user, 68);
ZV_AT(uniqueID, 72);
ZV_AT(version, 76);
ZV_AT(processReplacing, 80);
ZV_AT(processDoubleReplacing, 84);
ZV_AT(future, 88);
static_assert(sizeof(AEffect) == 144);
#else
#error "the record's layout is only checked for x86 builds"
#endif

// Records the plug-in fills for the host.
static_assert(sizeof(ERect) == 8);
static_assert(sizeof(VstPinProperties) == 128 && offsetof(VstPinProperties, flags) == 64 &&
              offsetof(VstPinProperties, shortLabel) == 72);
static_assert(sizeof(VstSpeakerProperties) == 112 && offsetof(VstSpeakerProperties, name) == 16 &&
              offsetof(VstSpeakerProperties, type) == 80);
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8);
static_assert(sizeof(MidiKeyName) == 80 && offsetof(MidiKeyName, keyName) == 8 &&
              offsetof(MidiKeyName, reserved) == 72);
