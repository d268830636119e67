// The window class of the editor's child windows: registered by the first window made and taken
// back when the plug-in's library is unloaded. Each window hands its messages to the handler it
// was made with.
#pragma once

#include <windows.h>

namespace ui::win32 {

class Win32MessageHandler {
public:
    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~Win32MessageHandler() = default;
};

// The class's atom (registering it the first time); 0 when it cannot be registered.
ATOM editorWindowClass();
// The library (or program) this code is part of.
HINSTANCE thisModule();

// A child window of `parent` of the editor's class, `width` by `height` pixels at (x, y), whose
// messages go to `handler` until it is destroyed; null when it cannot be made.
HWND makeChildWindow(HWND parent, int x, int y, int width, int height,
                     Win32MessageHandler* handler);

}  // namespace ui::win32
