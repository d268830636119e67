#include <gtest/gtest.h>

#include "RecordingView.h"
#include "Window.h"
#include "headless/HeadlessDesktop.h"
#include "headless/HeadlessHandles.h"
#include "headless/HeadlessWindow.h"
#include "headless/HeadlessWindowSystem.h"

using ui::Rect;
using ui::Screen;
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

constexpr unsigned kFloatingStyle =
    ui::WindowStyleTitled | ui::WindowStyleClosable | ui::WindowStyleMinimizable;

}  // namespace

TEST_F(HeadlessWindows, AFloatingWindowOfOurOwnKeepsWhatItWasAskedFor) {
    const auto screens = system.screens();
    auto window = std::make_shared<ui::Window>(system, Rect{400, 143, 344, 400}, kFloatingStyle,
                                               ui::BackingStore::Buffered, true, &screens[0]);
    window->setLevel(ui::windowLevelFor(ui::WindowLevelKind::Floating));
    window->setBackgroundColor(ui::Color::blackColor());
    window->setOpaque(false);
    auto content = makeView(0, 0, 10, 10);
    window->setContentView(content);
    EXPECT_FALSE(window->isVisible());
    window->show();

    HeadlessWindow& record = backendOf(*window);
    EXPECT_EQ(record.contentRect(), (Rect{400, 143, 344, 400}));
    EXPECT_EQ(window->frame(), (Rect{400, 143, 344, 422}));  // with its 22-point title bar
    EXPECT_EQ(record.styleMask(), kFloatingStyle);
    EXPECT_EQ(record.level(), 3);
    EXPECT_GT(window->level(), ui::windowLevelFor(ui::WindowLevelKind::Normal));
    EXPECT_FALSE(record.isOpaque());
    EXPECT_EQ(record.screen(), screens[0]);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->hasKeyboardFocus());
    EXPECT_EQ(content->frame(), (Rect{0, 0, 344, 400}));
    EXPECT_EQ(content->window(), window.get());
    ASSERT_NE(record.surface(), nullptr);
    EXPECT_EQ(content->draws, 1);
    ASSERT_EQ(Desktop::shared().windows().size(), 1u);
    EXPECT_EQ(Desktop::shared().windows()[0], &record);
}

TEST_F(HeadlessWindows, ResizingAWindowKeepsItsOriginAndResizesItsContent) {
    auto window = std::make_shared<ui::Window>(system, Rect{100, 100, 200, 100}, kFloatingStyle,
                                               ui::BackingStore::Buffered, true, nullptr);
    auto content = makeView(0, 0, 1, 1);
    window->setContentView(content);
    window->setFrame({100, 100, 344, 422}, true, true);
    EXPECT_EQ(window->frame(), (Rect{100, 100, 344, 422}));
    EXPECT_EQ(content->frame(), (Rect{0, 0, 344, 400}));
    EXPECT_TRUE(backendOf(*window).lastFrameAnimated());
}

TEST_F(HeadlessWindows, TheCloseButtonRunsTheWindowsOwnCloseAndClosingTwiceClosesOnce) {
    auto window = std::make_shared<CountingWindow>(system, Rect{0, 0, 100, 100}, kFloatingStyle,
                                                   ui::BackingStore::Buffered, true, nullptr);
    window->setContentView(makeView(0, 0, 1, 1));
    window->show();
    backendOf(*window).clickCloseButton();
    EXPECT_EQ(window->closes, 1);
    EXPECT_TRUE(window->isClosed());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->contentView(), nullptr);
    window->close();
    EXPECT_EQ(window->closes, 2);
    EXPECT_TRUE(backendOf(*window).wasClosed());
}

TEST_F(HeadlessWindows, AWindowWithoutTheClosableStyleIgnoresTheCloseButton) {
    auto window =
        std::make_shared<CountingWindow>(system, Rect{0, 0, 100, 100}, ui::WindowStyleTitled,
                                         ui::BackingStore::Buffered, true, nullptr);
    backendOf(*window).clickCloseButton();
    EXPECT_EQ(window->closes, 0);
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

TEST_F(HeadlessWindows, APressInAnInactiveWindowActivatesIt) {
    auto window = std::make_shared<ui::Window>(system, Rect{0, 0, 100, 100}, kFloatingStyle,
                                               ui::BackingStore::Buffered, true, nullptr);
    auto content = makeView(0, 0, 100, 100);
    window->setContentView(content);
    window->show();
    window->hide();
    window->show();
    EXPECT_TRUE(window->hasKeyboardFocus());
    window->hide();
    EXPECT_FALSE(window->hasKeyboardFocus());
    backendOf(*window).surface()->mouseDown({50, 50});
    EXPECT_TRUE(window->hasKeyboardFocus());
    EXPECT_TRUE(content->events.empty());  // the plain view does not take the first mouse
}
