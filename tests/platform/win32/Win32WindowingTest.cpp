// The Win32 backend on its own: a view tree in a host's window, the mouse sent as Windows sends it.
#include <gtest/gtest.h>

#include "HostWindow.h"
#include "RecordingView.h"
#include "ShapesView.h"
#include "WindowSystem.h"
#include "win32/Win32ChildWindow.h"
#include "win32/Win32Surface.h"
#include "win32/Win32WindowSystem.h"

using Type = ui::MouseEvent::Type;

namespace {

// A 100 by 80 point view in a host's window, shown at `scale` pixels to the point.
struct ViewInAHostWindow {
    explicit ViewInAHostWindow(double scale = 1.0) {
        system->setScale(scale);
        if (host.handle() == nullptr) return;
        hostView = system->viewForHandle(host.handle());
        if (hostView) hostView->addSubview(view);
        if (hostView) surface = ui::win32::surfaceShowing(*hostView, *view);
        system->processPendingEvents();
        HostWindow::pump();
    }
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return SendMessageW(surface->windowHandle(), message, wParam, lParam);
    }

    HostWindow host{200, 200};
    std::unique_ptr<ui::WindowSystem> system = ui::win32::makeWin32WindowSystem();
    std::shared_ptr<ui::View> hostView;
    std::shared_ptr<RecordingView> view = makeView(0, 0, 100, 80);
    ui::win32::Win32Surface* surface = nullptr;
};

}  // namespace

TEST(Win32Windowing, TheViewIsAChildWindowOfTheHostsWindowAtItsTopLeftCornerScaled) {
    ViewInAHostWindow shown(1.5);
    ASSERT_NE(shown.surface, nullptr);
    const HWND child = shown.surface->windowHandle();
    EXPECT_EQ(GetParent(child), shown.host.handle());
    RECT area{};
    GetWindowRect(child, &area);
    MapWindowPoints(nullptr, shown.host.handle(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 150);
    EXPECT_EQ(area.bottom, 120);
}

TEST(Win32Windowing, PressDragReleaseHoverLeaveWheelAndDoubleClickReachTheViewInPoints) {
    ViewInAHostWindow shown(2.0);
    ASSERT_NE(shown.surface, nullptr);
    shown.send(WM_MOUSEMOVE, MK_SHIFT, at(20, 40));
    shown.send(WM_LBUTTONDOWN, MK_LBUTTON, at(20, 40));
    EXPECT_EQ(GetCapture(), shown.surface->windowHandle());
    shown.send(WM_MOUSEMOVE, MK_LBUTTON, at(-20, 400));  // outside, still held
    shown.send(WM_LBUTTONUP, 0, at(-20, 400));
    EXPECT_EQ(GetCapture(), nullptr);
    shown.send(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, at(20, 40));
    shown.send(WM_LBUTTONUP, 0, at(20, 40));
    POINT screen{20, 40};
    ClientToScreen(shown.surface->windowHandle(), &screen);
    // Two notches toward the user: -240 in the high word.
    const auto towardTwice = static_cast<WPARAM>(static_cast<WORD>(-2 * WHEEL_DELTA)) << 16;
    shown.send(WM_MOUSEWHEEL, towardTwice, at(screen.x, screen.y));
    shown.send(WM_MOUSELEAVE, 0, 0);

    const auto& events = shown.view->events;
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[0].type, Type::Moved);
    EXPECT_TRUE(events[0].shift);
    EXPECT_FALSE(events[0].control);
    // Pixel (20, 40) at two pixels to the point, from the bottom of an 80 point view.
    EXPECT_EQ(events[0].location, (ui::Point{10.25, 59.75}));
    EXPECT_EQ(events[1].type, Type::Down);
    EXPECT_EQ(events[1].clickCount, 1);
    EXPECT_EQ(events[2].type, Type::Dragged);
    EXPECT_EQ(events[2].location, (ui::Point{-9.75, -120.25}));
    EXPECT_EQ(events[3].type, Type::Up);
    EXPECT_EQ(events[4].type, Type::Down);
    EXPECT_EQ(events[4].clickCount, 2);
    EXPECT_TRUE(events[4].control);
    EXPECT_FALSE(events[4].shift);
    EXPECT_EQ(events[6].type, Type::Wheel);
    EXPECT_EQ(events[6].notches, -2);
    EXPECT_EQ(events[6].location, (ui::Point{10.25, 59.75}));
    EXPECT_EQ(events[7].type, Type::Left);
}

TEST(Win32Windowing, ADragEndsWithAReleaseWhenTheCaptureIsTakenAwayOrTheWindowGoes) {
    ViewInAHostWindow shown;
    ASSERT_NE(shown.surface, nullptr);
    shown.send(WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10));
    ReleaseCapture();
    ASSERT_EQ(shown.view->events.size(), 2u);
    EXPECT_EQ(shown.view->events[1].type, Type::Up);

    shown.send(WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10));
    shown.send(WM_MOUSEMOVE, MK_LBUTTON, at(10, 30));
    shown.host.destroy();
    ASSERT_EQ(shown.view->events.size(), 5u);
    EXPECT_EQ(shown.view->events[4].type, Type::Up);
    EXPECT_EQ(shown.view->events[4].location, (ui::Point{10.5, 49.5}));
    EXPECT_TRUE(shown.surface->isGone());
    shown.system->processPendingEvents();  // forgets the host's window; draws nothing
}

TEST(Win32Windowing, RectanglesEllipsesPolygonsAndLinesFillWhatTheyCoverAndNothingBeside) {
    for (double scale : {1.0, 1.5}) {
        SCOPED_TRACE(scale);
        HostWindow host{200, 200};
        auto system = ui::win32::makeWin32WindowSystem();
        system->setScale(scale);
        auto hostView = system->viewForHandle(host.handle());
        ASSERT_TRUE(hostView);
        auto shapes = std::make_shared<ShapesView>();
        hostView->addSubview(shapes);
        system->processPendingEvents();
        const ui::win32::Win32Surface* surface = ui::win32::surfaceShowing(*hostView, *shapes);
        ASSERT_NE(surface, nullptr);
        for (const ShapesView::Sample& sample : ShapesView::kSamples) {
            SCOPED_TRACE(testing::Message() << sample.at.x << ", " << sample.at.y);
            const int x = static_cast<int>(sample.at.x * scale);
            const int y = static_cast<int>((shapes->frame().size.height - sample.at.y) * scale);
            const std::uint32_t pixel = surface->pixel(x, y);
            const ui::Color c = sample.expected;
            EXPECT_NEAR(static_cast<int>(pixel >> 24), c.alpha * 255, 1);
            EXPECT_NEAR(static_cast<int>((pixel >> 16) & 0xffu), c.red * 255, 1);
            EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xffu), c.green * 255, 1);
            EXPECT_NEAR(static_cast<int>(pixel & 0xffu), c.blue * 255, 1);
        }
    }
}
