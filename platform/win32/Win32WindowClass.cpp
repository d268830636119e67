#include "win32/Win32WindowClass.h"

namespace ui::win32 {

namespace {

constexpr wchar_t kClassName[] = L"ZvDelay32EditorView";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* handler =
        reinterpret_cast<Win32MessageHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (handler != nullptr) return handler->handleMessage(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// Registered once, on first use; unregistered as the library's static objects go, which is when
// it is unloaded (a class left behind would point into unloaded code).
class Registration {
public:
    Registration() {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        // Double clicks come as messages of their own.
        description.style = CS_DBLCLKS;
        description.lpfnWndProc = windowProcedure;
        description.hInstance = thisModule();
        description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        description.lpszClassName = kClassName;
        atom = RegisterClassExW(&description);
    }
    ~Registration() {
        if (atom != 0) UnregisterClassW(kClassName, thisModule());
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

    ATOM atom = 0;
};

}  // namespace

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&windowProcedure), &module);
    return module;
}

ATOM editorWindowClass() {
    static Registration registration;
    return registration.atom;
}

HWND makeChildWindow(HWND parent, int x, int y, int width, int height,
                     Win32MessageHandler* handler) {
    if (editorWindowClass() == 0) return nullptr;
    return CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width,
                           height, parent, nullptr, thisModule(), handler);
}

}  // namespace ui::win32
