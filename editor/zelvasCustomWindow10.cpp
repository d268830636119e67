#include "zelvasCustomWindow10.h"

#include "zveditor13.h"

void zelvasCustomWindow10::close() {
    if (_editor != nullptr) _editor->windowDidClose();
    ui::Window::close();
}
