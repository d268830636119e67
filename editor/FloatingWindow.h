// The floating window the editor shows its view in when the host hands over an old-style window
// reference instead of a view. Closing it, by its close button or otherwise, tells the editor
// that it is no longer open.
#pragma once

#include "Window.h"

class Vst2Editor;

class FloatingWindow : public ui::Window {
public:
    using ui::Window::Window;

    // Clears the editor's open flag (when it still has an editor), then closes the window.
    void close() override;

    void* hostHandle() const { return _winPointerRef; }
    void setHostHandle(void* reference) { _winPointerRef = reference; }
    Vst2Editor* editor() const { return _editor; }
    // The editor it reports to; null detaches the window from an editor that is going away.
    void setEditor(Vst2Editor* owner) { _editor = owner; }

private:
    void* _winPointerRef = nullptr;  // the host's handle; kept, never read back
    Vst2Editor* _editor = nullptr;   // not owned: the editor holds the window
};
