#include <gtest/gtest.h>

#include "RecordingView.h"
#include "Window.h"
#include "headless/HeadlessDesktop.h"
#include "headless/HeadlessHandles.h"
#include "headless/HeadlessWindow.h"
#include "headless/HeadlessWindowSystem.h"

using ui::Rect;
using namespace ui::headless;

namespace {

class HeadlessWindows : public ::testing::Test {
protected:
    void SetUp() override { Desktop::shared().reset(); }
    void TearDown() override { Desktop::shared().reset(); }

    static HeadlessWindow& backendOf(ui::Window& window) {
        return static_cast<HeadlessWindow&>(window.backend());
    }

    HeadlessWindowSystem system;
};

// A window whose close also counts, as a subclass's would.
class CountingWindow : public ui::Window {
public:
    using ui::Window::Window;
    void close() override {
        ++closes;
        ui::Window::close();
    }
    int closes = 0;
};

}  // namespace

TEST_F(HeadlessWindows, AWindowOfOurOwnFitsItsContentViewAndDrawsItWhenShown) {
    auto window = std::make_shared<ui::Window>(system, Rect{400, 143, 344, 400});
    auto content = makeView(0, 0, 10, 10);
    window->setContentView(content);
    window->show();

    HeadlessWindow& record = backendOf(*window);
    EXPECT_EQ(content->frame(), (Rect{0, 0, 344, 400}));
    EXPECT_EQ(content->window(), window.get());
    ASSERT_NE(record.surface(), nullptr);
    EXPECT_EQ(content->draws, 1);
    ASSERT_EQ(Desktop::shared().windows().size(), 1u);
    EXPECT_EQ(Desktop::shared().windows()[0], &record);
}

TEST_F(HeadlessWindows, TheCloseButtonRunsTheWindowsOwnCloseAndClosingTwiceClosesOnce) {
    auto window = std::make_shared<CountingWindow>(system, Rect{0, 0, 100, 100});
    window->setContentView(makeView(0, 0, 1, 1));
    window->show();
    backendOf(*window).clickCloseButton();
    EXPECT_EQ(window->closes, 1);
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(window->contentView(), nullptr);
    window->close();
    EXPECT_EQ(window->closes, 2);
}

TEST_F(HeadlessWindows, AHostViewHandleGivesTheSameViewEveryTime) {
    HostViewHandle host(ui::Size{500, 500}, Rect{50, 60, 500, 522}, 500.0);
    auto view = system.viewForHandle(host.handle());
    ASSERT_TRUE(view);
    EXPECT_EQ(view, system.viewForHandle(host.handle()));
    EXPECT_EQ(view->window(), host.window());
    ASSERT_NE(view->window()->contentView(), nullptr);
    EXPECT_EQ(
        view->window()->frame().size.height - view->window()->contentView()->frame().size.height,
        22);
}

TEST_F(HeadlessWindows, AHostViewMayBeInNoWindowAndAHostWindowMayHaveNoContentView) {
    HostViewHandle loose(ui::Size{344, 400});
    EXPECT_EQ(system.viewForHandle(loose.handle())->window(), nullptr);
    HostViewHandle bare(ui::Size{344, 400}, Rect{0, 0, 400, 400}, std::nullopt);
    EXPECT_EQ(system.viewForHandle(bare.handle())->window()->contentView(), nullptr);
}

TEST_F(HeadlessWindows, AViewAddedToAHostViewIsShownAndTakesTheMouseThere) {
    HostViewHandle host(ui::Size{344, 400});
    auto view = system.viewForHandle(host.handle());
    auto editor = makeView(0, 0, 344, 400);
    auto knob = makeView(60, 202, 48, 48);
    editor->addSubview(knob);
    view->addSubview(editor);
    HeadlessSurface* surface = host.view()->surfaceOf(*editor);
    ASSERT_NE(surface, nullptr);
    system.processPendingEvents();
    EXPECT_EQ(editor->draws, 1);
    surface->mouseDown({70, 210});
    ASSERT_EQ(knob->events.size(), 1u);
    EXPECT_EQ(knob->events[0].location, (ui::Point{10, 8}));

    editor->removeFromSuperview();
    EXPECT_EQ(host.view()->surfaceOf(*editor), nullptr);
}

TEST_F(HeadlessWindows, UnknownAndNullHandlesAreNoViews) {
    int somethingElse = 0;
    EXPECT_EQ(system.viewForHandle(nullptr), nullptr);
    EXPECT_EQ(system.viewForHandle(&somethingElse), nullptr);
}
