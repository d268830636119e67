// A view tree shown in a child window of ours inside a host's window. At each display cycle the
// tree is drawn into a back buffer in memory, from which the window is painted. The window takes
// the mouse while the main button is held, so the drags and the release come to it wherever the
// mouse goes; a press under way ends (the view hears a release) when the capture is taken away
// or the window goes. Moves with no button held, the mouse leaving, the wheel and double clicks
// come to the views as well.
#pragma once

#include <windows.h>

#include <memory>

#include "ViewSurface.h"
#include "win32/Direct2DResources.h"
#include "win32/Win32BackBuffer.h"
#include "win32/Win32WindowClass.h"

namespace ui::win32 {

class Win32Surface : public ViewSurface, private Win32MessageHandler {
public:
    // A child window of `parent` showing `root` at the root's frame, counted from the parent's
    // top-left corner, `scale` pixels to the point.
    Win32Surface(std::shared_ptr<View> root, HWND parent, double scale);
    ~Win32Surface() override;

    HWND windowHandle() const { return window; }
    // Whether there is no window (it could not be made, or it went with its parent).
    bool isGone() const { return window == nullptr; }
    // Draws what is due into the back buffer and asks the window to show it.
    void displayIfDue();
    // What the back buffer holds at pixel (x, y), 0xAARRGGBB premultiplied.
    std::uint32_t pixel(int x, int y) const;

protected:
    void rootFrameChanged() override;

private:
    LRESULT handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint();
    void press(LPARAM lParam, WPARAM wParam, int clickCount);
    void endPressOnce();
    void windowGone();

    HWND window = nullptr;
    std::unique_ptr<Win32BackBuffer> buffer;
    std::unique_ptr<Direct2DResources> drawing;  // made again after Direct2D gives up on it
    bool drawnOnce = false;
    bool pressing = false;
    bool trackingLeave = false;
    // Wheel movement short of a whole notch, in the system's units (WHEEL_DELTA a notch).
    int unspentWheelDelta = 0;
};

}  // namespace ui::win32
