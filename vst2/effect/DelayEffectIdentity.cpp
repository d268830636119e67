// What the effect tells the host about itself, and the factory the entry point calls.
#include <cstring>

#include "DelayEffect.h"
#include "PluginIdentity.h"
#include "TextBuffer.h"

namespace {
using namespace plugin_identity;
constexpr VstInt32 kCannotDo = -1;
}  // namespace

bool DelayEffect::getEffectName(char* name) {
    copyTextEndingAtLimit(name, kEffectName, kVstMaxEffectNameLen);
    return true;
}

bool DelayEffect::getVendorString(char* text) {
    copyTextEndingAtLimit(text, kVendorName, kVstMaxVendorStrLen);
    return true;
}

bool DelayEffect::getProductString(char* text) {
    copyTextEndingAtLimit(text, kProductName, kVstMaxProductStrLen);
    return true;
}

VstInt32 DelayEffect::getVendorVersion() { return kVersionNumber; }

// No optional capability, whatever is asked: no MIDI, no bypass, no offline processing.
VstInt32 DelayEffect::canDo(char* /*text*/) { return kCannotDo; }

VstPlugCategory DelayEffect::getPlugCategory() { return kPlugCategEffect; }

// Output pins "ZvDy 1" and "ZvDy 2", active and stereo. Indexes are compared as signed numbers,
// so negative ones are answered too, numbered from index + 1.
bool DelayEffect::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
    if (index > 1 || properties == nullptr) return false;
    char* label = properties->label;
    std::strncpy(label, "ZvDy ", kVstMaxLabelLen - 1);
    char number[11];
    int2string(index + 1, number, 10);  // cannot overflow: index is at most 1
    const std::size_t used = std::strlen(label);
    copyText(label + used, number, kVstMaxLabelLen - 1 - used);
    label[kVstMaxLabelLen - 1] = '\0';
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

bool DelayEffect::hasMidiProgramsChanged(VstInt32 /*channel*/) { return false; }

bool DelayEffect::getMidiKeyName(VstInt32 /*channel*/, MidiKeyName* keyName) {
    if (keyName == nullptr) return false;
    keyName->keyName[0] = '\0';
    keyName->reserved = 0;
    keyName->flags = 0;
    return false;
}

VstIntPtr DelayEffect::vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    // Hosts on high-density screens send their scale this way, before or after opening the
    // editor; any other vendor message keeps the base class's answer.
    const bool contentScale = index == fourCharacterCode('P', 'r', 'e', 'S') &&
                              value == fourCharacterCode('A', 'e', 'C', 's');
    if (contentScale && editor != nullptr && editor->setContentScaleFactor(opt)) return 1;
    return AudioEffectX::vendorSpecific(index, value, ptr, opt);
}
