#include "EditorView.h"

#include "EditorController.h"
#include "EditorHost.h"
#include "ParameterTable.h"

EditorView::EditorView(ui::Rect frame, EditorHost* effect) : View(frame), _effect(effect) {}

EditorView::~EditorView() = default;

void EditorView::awakeFromNib() { _knobView = std::make_unique<EditorController>(*this); }

void EditorView::updateParameters(int index, float value) {
    if (_effect != nullptr && index >= 0 && index < kNumParams) {
        // A value the effect already holds would change nothing but restart the delay lines.
        if (_effect->parameterValue(index) != value) _effect->changeByGesture(index, value);
    }
    setNeedsDisplay(true);
}

void EditorView::endGestures() {
    if (_knobView) _knobView->endGesture();
}

void EditorView::updateView(int index, float value) {
    if (_knobView) _knobView->updateControllers(index, value);
    setNeedsDisplay(true);
}
