#include "ZelvasUiView13.h"

#include "EditorHost.h"
#include "KnobDelegate13.h"
#include "ParameterTable.h"

ZelvasUiView13::ZelvasUiView13(ui::Rect frame, EditorHost* effect) : View(frame), _effect(effect) {}

ZelvasUiView13::~ZelvasUiView13() = default;

void ZelvasUiView13::awakeFromNib() { _knobView = std::make_unique<KnobDelegate13>(*this); }

void ZelvasUiView13::updateParameters(int index, float value) {
    if (_effect != nullptr && index >= 0 && index < kNumParams) {
        // A value the effect already holds would change nothing but restart the delay lines.
        if (_effect->parameterValue(index) != value) _effect->changeByGesture(index, value);
    }
    setNeedsDisplay(true);
}

void ZelvasUiView13::endGestures() {
    if (_knobView) _knobView->endGesture();
}

void ZelvasUiView13::updateView(int index, float value) {
    if (_knobView) _knobView->updateControllers(index, value);
    setNeedsDisplay(true);
}
