// A host's window, as a Windows host makes one for an editor: a plain top-level window of a class
// of its own, and the host's message loop, run here until nothing is waiting.
#pragma once

#include <windows.h>

class HostWindow {
public:
    // `width` by `height` pixels of client area; handle() is null when no window can be made.
    HostWindow(int width, int height) {
        static const ATOM hostClass = [] {
            WNDCLASSEXW description{};
            description.cbSize = sizeof description;
            description.lpfnWndProc = DefWindowProcW;
            description.hInstance = GetModuleHandleW(nullptr);
            description.lpszClassName = L"ZvTestHostWindow";
            return RegisterClassExW(&description);
        }();
        if (hostClass == 0) return;
        RECT area{0, 0, width, height};
        AdjustWindowRect(&area, WS_OVERLAPPEDWINDOW, FALSE);
        window = CreateWindowExW(0, L"ZvTestHostWindow", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 40, 40, area.right - area.left, area.bottom - area.top, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~HostWindow() {
        if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window; }
    void destroy() {
        DestroyWindow(window);
        pump();
    }

    // Hands every waiting message to its window.
    static void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

private:
    HWND window = nullptr;
};

// A mouse message's position: pixel (x, y) of the window it goes to.
inline LPARAM at(int x, int y) {
    return static_cast<LPARAM>(static_cast<DWORD>(static_cast<WORD>(x)) |
                               (static_cast<DWORD>(static_cast<WORD>(y)) << 16));
}
