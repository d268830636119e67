#include "Vst2EditorBinding.h"

#include "AudioEffect.h"

std::atomic<VstInt32> Vst2EditorBinding::knobMode{0};

Vst2EditorBinding::Vst2EditorBinding(AudioEffect* owner) : AEffEditor(owner) {
    if (effect != nullptr) effect->setEditor(this);
}

bool Vst2EditorBinding::getRect(ERect** where) {
    if (where != nullptr) *where = &rect;
    return true;
}

void Vst2EditorBinding::idle() {}

bool Vst2EditorBinding::onKeyDown(VstKeyCode& /*keyCode*/) { return false; }

bool Vst2EditorBinding::onKeyUp(VstKeyCode& /*keyCode*/) { return false; }

bool Vst2EditorBinding::onWheel(float /*distance*/) { return false; }

bool Vst2EditorBinding::setKnobMode(VstInt32 mode) {
    knobMode.store(mode, std::memory_order_relaxed);
    return true;
}
