// The editor drawn for the screen's density: where the factor comes from, and what it changes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

#include "EditorScale.h"
#include "EditorScene.h"
#include "headless/HeadlessHandles.h"

using ui::headless::Desktop;
using ui::headless::HostViewHandle;

namespace {

constexpr VstInt32 kPreS = fourCharacterCode('P', 'r', 'e', 'S');
constexpr VstInt32 kAeCs = fourCharacterCode('A', 'e', 'C', 's');

// The user's variable set for one test, and gone after it.
struct UserScale {
    explicit UserScale(const char* value) { setenv("ZVDELAY32_SCALE", value, 1); }
    ~UserScale() { unsetenv("ZVDELAY32_SCALE"); }
};

struct Size2 {
    int width;
    int height;
    friend bool operator==(const Size2&, const Size2&) = default;
};

Size2 sizeOf(const ERect& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

// The editor opened in a host window, as a host does; what it reports and how many pixels its
// surface has.
struct Shown {
    Size2 reported;
    Size2 pixels;
};

template <typename Scene>
Shown openIn(Scene& scene, HostViewHandle& host) {
    EXPECT_EQ(scene.dispatch(effEditOpen, 0, 0, host.handle()), 1);
    const ui::headless::HeadlessSurface* surface = host.view()->surfaceOf(*scene.shownView());
    EXPECT_NE(surface, nullptr);
    if (surface == nullptr) return {};
    return {sizeOf(scene.reportedRect()), {surface->pixelWidth(), surface->pixelHeight()}};
}

}  // namespace

TEST(EditorScale, AFactorIsRoundedToAQuarterThenHeldBetweenOneAndTwo) {
    const std::pair<double, double> taken[] = {{0.5, 1.0}, {1.0, 1.0}, {1.1, 1.0}, {1.13, 1.25},
                                               {1.5, 1.5}, {1.9, 2.0}, {2.0, 2.0}, {4.0, 2.0}};
    for (const auto& [factor, expected] : taken) {
        EXPECT_EQ(editor_scale::accepted(factor), expected) << factor;
    }
    for (double bad : {0.0, -1.5, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(editor_scale::accepted(bad), std::nullopt) << bad;
    }
}

TEST(EditorScale, TheHostComesFirstThenTheUserThenTheDesktopAndABadFactorAsksTheNext) {
    using editor_scale::choose;
    EXPECT_EQ(choose(2.0, 1.5, 1.25), 2.0);
    EXPECT_EQ(choose(std::nullopt, 1.5, 1.25), 1.5);
    EXPECT_EQ(choose(std::nullopt, std::nullopt, 192.0 / 96.0), 2.0);
    EXPECT_EQ(choose(std::nan(""), -1.0, 1.75), 1.75);
    EXPECT_EQ(choose(std::nullopt, std::nullopt, std::nullopt), 1.0);
    {
        const UserScale user("1.5");
        EXPECT_EQ(editor_scale::fromEnvironment(), 1.5);
    }
    for (const char* bad : {"", "two", "1.5x", "-2", "nan"}) {
        const UserScale user(bad);
        EXPECT_EQ(editor_scale::fromEnvironment(), std::nullopt) << '"' << bad << '"';
    }
}

// At 1, 1.5 and 2 the host hears the size in its pixels before and after the open, the surface
// has that many pixels, and the views keep their sizes in points.
TEST(EditorScale, TheHostsFactorSizesTheEditorBeforeAndAfterItOpens) {
    const std::pair<float, Size2> cases[] = {
        {1.0f, {344, 400}}, {1.5f, {516, 600}}, {2.0f, {688, 800}}};
    for (const auto& [factor, expected] : cases) {
        EditorScene scene;
        EXPECT_EQ(scene.dispatch(effVendorSpecific, kPreS, kAeCs, nullptr, factor), 1);
        EXPECT_EQ(sizeOf(scene.reportedRect()), expected) << factor;
        HostViewHandle host(ui::Size{800, 900}, ui::Rect{100, 100, 800, 922}, 900.0);
        const Shown shown = openIn(scene, host);
        EXPECT_EQ(shown.reported, expected) << factor;
        EXPECT_EQ(shown.pixels, expected) << factor;
        EXPECT_EQ(scene.view().frame(), (ui::Rect{0, 0, 344, 400}));
        // The host's window fits the editor, in points.
        EXPECT_EQ(host.window()->frame().size, (ui::Size{344, 422})) << factor;
    }
}

TEST(EditorScale, WithoutTheHostTheUsersThenTheDesktopsFactorIsTaken) {
    FreshDesktop fresh;
    Desktop::shared().setDesktopScale(2.0);
    {
        const UserScale user("1.25");
        EditorScene scene;
        HostViewHandle host(ui::Size{800, 900}, ui::Rect{100, 100, 800, 922}, 900.0);
        EXPECT_EQ(openIn(scene, host).pixels, (Size2{430, 500}));
    }
    EditorScene scene;  // (resets the desktop: set its factor again)
    Desktop::shared().setDesktopScale(2.0);
    HostViewHandle host(ui::Size{800, 900}, ui::Rect{100, 100, 800, 922}, 900.0);
    EXPECT_EQ(openIn(scene, host).pixels, (Size2{688, 800}));
}

TEST(EditorScale, ABadFactorOrAnotherVendorMessageIsRefusedAndChangesNothing) {
    EditorScene scene;
    for (float bad : {0.0f, -2.0f, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        EXPECT_EQ(scene.dispatch(effVendorSpecific, kPreS, kAeCs, nullptr, bad), 0) << bad;
    }
    EXPECT_EQ(scene.dispatch(effVendorSpecific, kPreS, fourCharacterCode('x', 'y', 'z', 'w'),
                             nullptr, 2.0f),
              0);
    EXPECT_EQ(scene.dispatch(effVendorSpecific, 0, kAeCs, nullptr, 2.0f), 0);
    EXPECT_EQ(sizeOf(scene.reportedRect()), (Size2{344, 400}));
}

TEST(EditorScale, AFactorSentWhileOpenShowsTheEditorAgainAndAsksTheHostToFit) {
    WatchedEditorScene scene;
    HostViewHandle host(ui::Size{800, 900}, ui::Rect{100, 100, 800, 922}, 900.0);
    ASSERT_EQ(openIn(scene, host).pixels, (Size2{344, 400}));
    scene.effect.setParameter(kMix, 0.25f);
    scene.effect.hostMessages.clear();
    EXPECT_EQ(scene.dispatch(effVendorSpecific, kPreS, kAeCs, nullptr, 2.0f), 1);
    const ui::headless::HeadlessSurface* surface = host.view()->surfaceOf(*scene.shownView());
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ((Size2{surface->pixelWidth(), surface->pixelHeight()}), (Size2{688, 800}));
    EXPECT_EQ(sizeOf(scene.reportedRect()), (Size2{688, 800}));
    EXPECT_EQ(scene.effect.hostMessages,
              (std::vector<HostMessage>{{audioMasterSizeWindow, 688, 800.0f}}));
    scene.dispatch(effEditIdle);  // the controls still follow the effect
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kMix)), 25);
}
