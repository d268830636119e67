// The editor as the host interface sees it: the object behind the editor opcodes. The effect
// owns it; concrete editors override what they support.
#pragma once

#include "AEffect.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* owner) : effect(owner) {}
    virtual ~AEffEditor() = default;
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual bool getRect(ERect** rect) {
        if (rect != nullptr) *rect = nullptr;
        return false;
    }
    virtual bool open(void* /*parent*/) { return false; }
    virtual void close() {}
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

    // The host's pixels to the point for the editor; whether the editor takes the factor.
    virtual bool setContentScaleFactor(float /*factor*/) { return false; }

protected:
    AudioEffect* effect;
};
