#include "EditorView.h"

EditorView::EditorView(ui::Rect frame, EditorHost* host) : View(frame), _controller(*this, host) {}

void EditorView::mouseDown(const ui::MouseEvent& /*event*/) { _controller.pressedElsewhere(); }
