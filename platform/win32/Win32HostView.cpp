#include "win32/Win32HostView.h"

#include <cmath>

namespace ui::win32 {

namespace {

// The host's window as a Window: its frame can be read and its size changed, in points at the
// host view's scale. Showing and closing it are the host's business and do nothing here.
class Win32HostWindow : public WindowBackend {
public:
    Win32HostWindow(HWND window, Win32HostView* content) : host(window), contentArea(content) {}

    Rect frame() const override {
        RECT outer{};
        if (GetWindowRect(host, &outer) == FALSE) return {};
        // Screen coordinates grow upward from the bottom of the main screen.
        const double screenHeight = GetSystemMetrics(SM_CYSCREEN);
        const double s = contentArea->scale();
        return {outer.left / s, (screenHeight - outer.bottom) / s, (outer.right - outer.left) / s,
                (outer.bottom - outer.top) / s};
    }

    // Takes the size. The host places its own window, so its position stays as it is.
    void setFrame(Rect frame) override {
        const double s = contentArea->scale();
        const long width = std::lround(frame.size.width * s);
        const long height = std::lround(frame.size.height * s);
        if (width < 1 || height < 1) return;
        SetWindowPos(host, nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The host's window has no title bar of ours: its content is the host view itself.
    View* contentView() const override { return contentArea; }

private:
    HWND host;
    Win32HostView* contentArea;
};

}  // namespace

Win32HostView::Win32HostView(HWND hostWindow, Size pixels, double scale)
    : View(Rect{0.0, 0.0, pixels.width / scale, pixels.height / scale}),
      host(hostWindow),
      pixelSize(pixels),
      pixelsPerPoint(scale) {
    hostWindowObject = std::make_shared<Window>(std::make_unique<Win32HostWindow>(host, this));
    setHostWindow(hostWindowObject.get());
}

Win32HostView::~Win32HostView() {
    surfaces.clear();
    setHostWindow(nullptr);
}

Win32Surface* Win32HostView::surfaceOf(const View& subview) const {
    const auto it = surfaces.find(&subview);
    return it == surfaces.end() ? nullptr : it->second.get();
}

void Win32HostView::displayDueSurfaces() {
    for (const auto& [view, surface] : surfaces) surface->displayIfDue();
}

void Win32HostView::didAddSubview(View& subview) {
    if (isGone()) return;
    surfaces[&subview] =
        std::make_unique<Win32Surface>(subview.shared_from_this(), host, pixelsPerPoint);
}

void Win32HostView::willRemoveSubview(View& subview) { surfaces.erase(&subview); }

void Win32HostView::setScale(double scale) {
    pixelsPerPoint = scale;
    setFrame({frame().origin, Size{pixelSize.width / scale, pixelSize.height / scale}});
}

}  // namespace ui::win32
