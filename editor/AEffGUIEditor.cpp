#include "AEffGUIEditor.h"

#include "AudioEffect.h"

std::atomic<VstInt32> AEffGUIEditor::knobMode{0};

AEffGUIEditor::AEffGUIEditor(AudioEffect* owner) : AEffEditor(owner) {
    if (effect != nullptr) effect->setEditor(this);
}

bool AEffGUIEditor::getRect(ERect** where) {
    if (where != nullptr) *where = &rect;
    return true;
}

void AEffGUIEditor::idle() {}

bool AEffGUIEditor::onKeyDown(VstKeyCode& /*keyCode*/) { return false; }

bool AEffGUIEditor::onKeyUp(VstKeyCode& /*keyCode*/) { return false; }

bool AEffGUIEditor::onWheel(float /*distance*/) { return false; }

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
    knobMode.store(mode, std::memory_order_relaxed);
    return true;
}
