// Our own binding between the host's editor opcodes and an editor that draws with the windowing
// layer. It keeps what such a binding is expected to do, and nothing more: it registers itself
// with the effect, hands out the reported rectangle, answers keys as not consumed, stores the
// knob mode, and offers an empty hook for the effect's parameter changes. It never makes a frame
// or a window of its own, so its idle has nothing to do and isOpen is always false: editors built
// on it keep their own open flag.
#pragma once

#include <atomic>

#include "AEffEditor.h"

class Vst2EditorBinding : public AEffEditor {
public:
    // Stores the effect and registers with it (which raises the record's has-editor flag).
    explicit Vst2EditorBinding(AudioEffect* owner);
    ~Vst2EditorBinding() override = default;

    // Hands the host the address of the reported rectangle.
    bool getRect(ERect** rect) override;
    // Would idle a frame; the binding never makes one, so there is nothing to do.
    void idle() override;
    // Keys go to a frame; without one they are not consumed.
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(float distance);
    // One knob mode for the whole process; nothing here reads it back.
    bool setKnobMode(VstInt32 mode) override;
    static VstInt32 getKnobMode() { return knobMode.load(std::memory_order_relaxed); }

    // Whether the binding's own window is open: it never opens one.
    bool isOpen() const { return systemWindow != nullptr; }
    AudioEffect* getEffect() const { return effect; }

protected:
    ERect rect{};

private:
    static std::atomic<VstInt32> knobMode;

    void* systemWindow = nullptr;  // never set: editors on it show their views themselves
};
