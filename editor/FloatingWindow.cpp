#include "FloatingWindow.h"

#include "Vst2Editor.h"

void FloatingWindow::close() {
    if (_editor != nullptr) _editor->windowDidClose();
    ui::Window::close();
}
