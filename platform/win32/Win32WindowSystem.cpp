#include "win32/Win32WindowSystem.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "win32/Win32HostView.h"

namespace ui::win32 {

namespace {

constexpr double kDotsPerPoint = 96.0;

// Windows of our own are not made on Windows (hosts hand over windows, never references to old-
// style ones): such a window only remembers what is asked of it and shows nothing.
class UnshownWindow : public WindowBackend {
public:
    explicit UnshownWindow(Rect contentRect) : area(contentRect) {}
    Rect frame() const override { return area; }
    View* contentView() const override { return content.get(); }
    void setContentView(std::shared_ptr<View> view) override { content = std::move(view); }
    void close() override { content.reset(); }

private:
    Rect area;
    std::shared_ptr<View> content;
};

std::optional<double> dpiScale(int dotsPerInch) {
    if (dotsPerInch <= 0) return std::nullopt;
    return dotsPerInch / kDotsPerPoint;
}

class Win32WindowSystem : public WindowSystem {
public:
    ~Win32WindowSystem() override { hostViews.clear(); }

    std::shared_ptr<View> viewForHandle(void* handle) override {
        auto* window = static_cast<HWND>(handle);
        if (window == nullptr || IsWindow(window) == FALSE) return nullptr;
        forgetDestroyedHostViews();
        if (const auto known = hostViews.find(window); known != hostViews.end()) {
            return known->second;
        }
        RECT client{};
        if (GetClientRect(window, &client) == FALSE) return nullptr;
        auto view =
            std::make_shared<Win32HostView>(window,
                                            Size{static_cast<double>(client.right - client.left),
                                                 static_cast<double>(client.bottom - client.top)},
                                            scale());
        hostViews.emplace(window, view);
        return view;
    }

    void setScale(double pixelsPerPoint) override {
        WindowSystem::setScale(pixelsPerPoint);
        for (const auto& [window, view] : hostViews) view->setScale(pixelsPerPoint);
    }

    // The screen's dots per inch over the 96 of one point (96 for a program that has not said
    // it minds the density, which Windows then enlarges itself).
    std::optional<double> desktopScale() override {
        HDC screen = GetDC(nullptr);
        if (screen == nullptr) return std::nullopt;
        const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        return dpiScale(dotsPerInch);
    }

    // The density of the monitor the host's window is on, where Windows can tell it (10 and
    // later); else the screen's.
    std::optional<double> desktopScaleAt(void* handle) override {
        auto* window = static_cast<HWND>(handle);
        if (window != nullptr && IsWindow(window) != FALSE) {
            using DpiForWindow = UINT(WINAPI*)(HWND);
            if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
                const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
                    reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
                if (dpiForWindow != nullptr) {
                    if (auto scaleHere = dpiScale(static_cast<int>(dpiForWindow(window)))) {
                        return scaleHere;
                    }
                }
            }
        }
        return desktopScale();
    }

    void processPendingEvents() override {
        forgetDestroyedHostViews();
        for (const auto& [window, view] : hostViews) view->displayDueSurfaces();
    }

protected:
    std::unique_ptr<WindowBackend> makeWindowBackend(Rect contentRect) override {
        return std::make_unique<UnshownWindow>(contentRect);
    }

private:
    void forgetDestroyedHostViews() {
        std::erase_if(hostViews, [](const auto& entry) { return entry.second->isGone(); });
    }

    std::map<HWND, std::shared_ptr<Win32HostView>> hostViews;
};

}  // namespace

std::unique_ptr<WindowSystem> makeWin32WindowSystem() {
    return std::make_unique<Win32WindowSystem>();
}

}  // namespace ui::win32
