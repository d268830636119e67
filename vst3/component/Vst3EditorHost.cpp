#include "Vst3EditorHost.h"

void Vst3EditorHost::beginGesture(int index) {
    if (componentHandler != nullptr) componentHandler->beginEdit(static_cast<vst3::ParamID>(index));
}

void Vst3EditorHost::changeByGesture(int index, float value) {
    core.setParameter(index, value);
    if (componentHandler != nullptr) {
        componentHandler->performEdit(static_cast<vst3::ParamID>(index), value);
    }
}

void Vst3EditorHost::endGesture(int index) {
    if (componentHandler != nullptr) componentHandler->endEdit(static_cast<vst3::ParamID>(index));
}
