#include "win32/Win32Surface.h"

#include <algorithm>
#include <cmath>

#include "win32/Direct2DCanvas.h"

namespace ui::win32 {

namespace {

int toPixels(double points) { return static_cast<int>(std::lround(points)); }

unsigned modifiersOf(WPARAM keys) {
    unsigned held = ModifierNone;
    if ((keys & MK_SHIFT) != 0) held |= ModifierShift;
    if ((keys & MK_CONTROL) != 0) held |= ModifierControl;
    return held;
}

// The mouse's position in a mouse message: signed, since a window holding the capture hears of
// the mouse left of and above it too.
int xOf(LPARAM lParam) { return static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam))); }
int yOf(LPARAM lParam) { return static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam))); }

}  // namespace

Win32Surface::Win32Surface(std::shared_ptr<View> root, HWND parent, double scale)
    : ViewSurface(std::move(root), scale) {
    const Rect frame = this->root().frame();
    const int width = std::max(pixelWidth(), 1);
    const int height = std::max(pixelHeight(), 1);
    buffer = std::make_unique<Win32BackBuffer>(width, height);
    // The parent counts from its top-left corner, where Windows hosts expect the editor.
    window = makeChildWindow(parent, toPixels(frame.minX() * this->scale()),
                             toPixels(frame.minY() * this->scale()), width, height, this);
}

Win32Surface::~Win32Surface() {
    if (window == nullptr) return;
    // Whatever the window says while it goes no longer reaches this surface.
    const HWND going = window;
    window = nullptr;
    pressing = false;
    SetWindowLongPtrW(going, GWLP_USERDATA, 0);
    DestroyWindow(going);
}

std::uint32_t Win32Surface::pixel(int x, int y) const { return buffer->pixel(x, y); }

void Win32Surface::displayIfDue() {
    if (isGone() || !buffer->isUsable()) return;
    // The common case of an untouched editor: nothing to draw, nothing to show.
    if (drawnOnce && !isDisplayDue()) return;
    if (!drawing) drawing = std::make_unique<Direct2DResources>();
    // A render target on a device context hands over the whole area it was bound to, so the
    // whole tree is drawn again rather than only what was marked.
    const RECT whole{0, 0, buffer->width(), buffer->height()};
    ID2D1DCRenderTarget* target = drawing->bind(buffer->deviceContext(), whole);
    if (target == nullptr) return;
    Direct2DCanvas canvas(*drawing, target, buffer->width(), buffer->height());
    displayAll(canvas);
    if (!canvas.finish()) {
        // Direct2D gave up on its target (a lost device): make everything again next time.
        drawing.reset();
        drawnOnce = false;
        return;
    }
    drawnOnce = true;
    InvalidateRect(window, nullptr, FALSE);
}

void Win32Surface::paint() {
    PAINTSTRUCT painting{};
    HDC screen = BeginPaint(window, &painting);
    if (screen != nullptr && buffer->isUsable()) {
        const RECT& area = painting.rcPaint;
        BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top,
               buffer->deviceContext(), area.left, area.top, SRCCOPY);
    }
    EndPaint(window, &painting);
}

void Win32Surface::press(LPARAM lParam, WPARAM wParam, int clickCount) {
    pressing = true;
    // The drags and the release come here wherever the mouse goes while the button is held.
    SetCapture(window);
    mouseDown(locationOfPixel(xOf(lParam), yOf(lParam)), clickCount, modifiersOf(wParam));
}

void Win32Surface::endPressOnce() {
    if (!pressing) return;
    pressing = false;
    cancelPress();
}

void Win32Surface::windowGone() {
    endPressOnce();
    window = nullptr;
    trackingLeave = false;
}

LRESULT Win32Surface::handleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            // The back buffer covers the whole window: erasing first would only flicker.
            return 1;
        case WM_PAINT:
            if (!drawnOnce) displayIfDue();
            paint();
            return 0;
        case WM_LBUTTONDOWN:
            press(lParam, wParam, 1);
            return 0;
        case WM_LBUTTONDBLCLK:
            press(lParam, wParam, 2);
            return 0;
        case WM_MOUSEMOVE: {
            if (!trackingLeave) {
                TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, 0};
                trackingLeave = TrackMouseEvent(&leave) != FALSE;
            }
            const Point location = locationOfPixel(xOf(lParam), yOf(lParam));
            if ((wParam & MK_LBUTTON) != 0) {
                mouseDragged(location, modifiersOf(wParam));
            } else {
                mouseMoved(location, modifiersOf(wParam));
            }
            return 0;
        }
        case WM_LBUTTONUP:
            pressing = false;
            mouseUp(locationOfPixel(xOf(lParam), yOf(lParam)), modifiersOf(wParam));
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            // Taken away before the release (another window took it, the system cancelled the
            // drag): the drag ends here.
            endPressOnce();
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave = false;
            mouseExited();
            return 0;
        case WM_MOUSEWHEEL: {
            // The wheel's position is on the screen.
            POINT at{xOf(lParam), yOf(lParam)};
            ScreenToClient(hwnd, &at);
            // A fine-grained wheel sends parts of a notch: they add up until a whole one is
            // turned, and what is left over waits for the next turn.
            unspentWheelDelta += GET_WHEEL_DELTA_WPARAM(wParam);
            const int notches = unspentWheelDelta / WHEEL_DELTA;
            unspentWheelDelta -= notches * WHEEL_DELTA;
            wheelTurned(locationOfPixel(at.x, at.y), notches,
                        modifiersOf(GET_KEYSTATE_WPARAM(wParam)));
            return 0;
        }
        case WM_DESTROY:
            // With the host's window, or by us: no release will come for a press under way.
            windowGone();
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void Win32Surface::rootFrameChanged() {
    if (isGone()) return;
    const Rect frame = root().frame();
    const int width = std::max(pixelWidth(), 1);
    const int height = std::max(pixelHeight(), 1);
    buffer = std::make_unique<Win32BackBuffer>(width, height);
    drawnOnce = false;
    SetWindowPos(window, nullptr, toPixels(frame.minX() * scale()),
                 toPixels(frame.minY() * scale()), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui::win32
