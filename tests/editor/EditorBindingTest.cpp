// The editor as the host reaches it: its size, where an open shows the view, closing, keys and the
// knob mode.
#include <gtest/gtest.h>

#include <cmath>

#include <array>

#include "EditorScene.h"
#include "headless/HeadlessHandles.h"

using ui::headless::Desktop;
using ui::headless::HostViewHandle;

namespace {

// Top, left, bottom, right.
using Sides = std::array<int, 4>;
const Sides kFullSize{0, 0, 400, 344};
const Sides kSmall{0, 0, 100, 100};

Sides sidesOf(const ERect& rect) { return {rect.top, rect.left, rect.bottom, rect.right}; }

}  // namespace

TEST(EditorBinding, TheEffectHasAnEditorAndReportsItsFullSizeBeforeTheFirstOpen) {
    EditorScene scene;
    EXPECT_EQ(scene.effect.getAeffect()->flags, effFlagsCanReplacing | effFlagsHasEditor);
    EXPECT_EQ(sidesOf(scene.reportedRect()), kFullSize);
    EXPECT_FALSE(scene.editor().isEditorOpen());
    EXPECT_EQ(scene.editor().view(), nullptr);
}

TEST(EditorBinding, ANullHandleBuildsTheViewShowsNothingAndStillFollowsTheEffect) {
    EditorScene scene;
    EXPECT_EQ(scene.dispatch(effEditOpen, 0, 0, nullptr), 1);
    EXPECT_TRUE(scene.editor().isEditorOpen());
    EXPECT_EQ(sidesOf(scene.reportedRect()), kSmall);
    ASSERT_NE(scene.editor().view(), nullptr);
    EXPECT_EQ(scene.view().superview(), nullptr);
    EXPECT_EQ(scene.view().window(), nullptr);
    EXPECT_TRUE(Desktop::shared().windows().empty());
    EXPECT_EQ(scene.knobStepAfterTheHostSets(kMix, 0.25f), 25);
}

TEST(EditorBinding, AHostViewInAWindowGetsTheViewAtItsOriginAndTheWindowFitsIt) {
    EditorScene scene;
    // A 500-point window around a 478-point content view: a 22-point title bar.
    HostViewHandle host(ui::Size{600, 478}, ui::Rect{200, 100, 600, 500}, 478.0);
    EXPECT_EQ(scene.dispatch(effEditOpen, 0, 0, host.handle()), 1);
    EXPECT_EQ(sidesOf(scene.reportedRect()), kFullSize);
    EXPECT_EQ(host.window()->frame(), (ui::Rect{200, 100, 344, 422}));
    EXPECT_EQ(host.windowRecord()->frameChanges(), 1);
    ASSERT_EQ(host.view()->subviews().size(), 1u);
    EXPECT_EQ(host.view()->subviews()[0].get(), scene.shownView());
    EXPECT_EQ(scene.view().frame(), (ui::Rect{0, 0, 344, 400}));
    EXPECT_NE(host.view()->surfaceOf(*scene.shownView()), nullptr);
    EXPECT_TRUE(Desktop::shared().windows().empty());
    EXPECT_TRUE(scene.editor().isEditorOpen());
}

TEST(EditorBinding, AHostWindowWithoutAContentViewCountsItsWholeHeightAsTitleBar) {
    EditorScene scene;
    HostViewHandle host(ui::Size{300, 300}, ui::Rect{10, 20, 300, 500}, std::nullopt);
    scene.dispatch(effEditOpen, 0, 0, host.handle());
    EXPECT_EQ(host.window()->frame(), (ui::Rect{10, 20, 344, 900}));
    EXPECT_EQ(sidesOf(scene.reportedRect()), kFullSize);
}

TEST(EditorBinding, AHostViewWithoutAWindowGetsTheViewButTheSizeStaysSmall) {
    EditorScene scene;
    HostViewHandle host(ui::Size{344, 400});
    EXPECT_EQ(scene.dispatch(effEditOpen, 0, 0, host.handle()), 1);
    EXPECT_EQ(sidesOf(scene.reportedRect()), kSmall);
    ASSERT_EQ(host.view()->subviews().size(), 1u);
    EXPECT_EQ(host.view()->subviews()[0].get(), scene.shownView());
}

TEST(EditorBinding, HostChangesReachTheViewOnlyWhileTheEditorIsOpen) {
    EditorScene scene;
    HostViewHandle host(ui::Size{344, 400});
    scene.dispatch(effEditOpen, 0, 0, host.handle());
    EXPECT_EQ(scene.knobStepAfterTheHostSets(kFeedBack, 0.5f), 50);
    scene.dispatch(effEditClose);
    EXPECT_TRUE(host.view()->subviews().empty());  // the closed editor left the host's view
    EXPECT_EQ(scene.editor().view(), nullptr);
    scene.effect.setParameter(kFeedBack, 0.75f);
    scene.dispatch(effEditIdle);
    scene.dispatch(effEditOpen, 0, 0, host.handle());
    EXPECT_EQ(scene.controller().knobForParameter(kFeedBack)->step(), 75);
}

TEST(EditorBinding, HostChangesWaitForTheNextIdleWhichAlsoDrawsThem) {
    EditorScene scene;
    HostViewHandle host(ui::Size{344, 400}, ui::Rect{0, 0, 344, 400}, 400.0);
    scene.dispatch(effEditOpen, 0, 0, host.handle());
    ui::headless::HeadlessSurface* surface = host.view()->surfaceOf(*scene.shownView());
    ASSERT_NE(surface, nullptr);
    scene.dispatch(effEditIdle);
    const int before = surface->displayCount();

    scene.effect.setParameter(kHighPassInLoop, 1.0f);
    scene.effect.setParameter(kMix, 0.5f);
    scene.effect.setParameter(kMix, 0.25f);  // only the latest value matters
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kMix)),
              100);  // not before the idle
    scene.dispatch(effEditIdle);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kMix)), 25);
    EXPECT_EQ(scene.controller().switchForParameter(kHighPassInLoop)->state(), 1);
    // Applied before the same idle drew: the surface already shows picture trunc(25 x 1.27).
    EXPECT_GT(surface->displayCount(), before);
    const auto centre =
        surface->pixelAt(MainViewScene::centreOf(*scene.controller().knobForParameter(kMix)));
    EXPECT_EQ(centre.green, test_pictures::kKnobCentreGreen);
    EXPECT_EQ(centre.red, test_pictures::knobCentreRed(31));
}

TEST(EditorBinding, AProgramChangeThroughTheDispatcherMovesEveryControl) {
    EditorScene scene;
    scene.dispatch(effEditOpen);
    scene.dispatch(effSetProgram, 0, 5);
    scene.dispatch(effEditIdle);
    EditorController& c = scene.controller();
    const std::pair<VstInt32, const Knob*> knobs[] = {
        {kDelay, c.knobForParameter(kDelay)},     {kFeedBack, c.knobForParameter(kFeedBack)},
        {kLowPass, c.knobForParameter(kLowPass)}, {kHighPass, c.knobForParameter(kHighPass)},
        {kPan, c.knobForParameter(kPan)},         {kPanWidth, c.knobForParameter(kPanWidth)},
        {kMix, c.knobForParameter(kMix)},
    };
    for (const auto& [index, knob] : knobs) {
        const float value = scene.effect.getParameter(index);
        EXPECT_EQ(MainViewScene::step(knob), std::lround(static_cast<double>(value) * 100.0))
            << index;
    }
    EXPECT_EQ(static_cast<float>(c.switchForParameter(kLowPassInLoop)->state()),
              scene.effect.getParameter(kLowPassInLoop));
    EXPECT_EQ(static_cast<float>(c.switchForParameter(kHighPassInLoop)->state()),
              scene.effect.getParameter(kHighPassInLoop));
}

TEST(EditorBinding, KeysAreLeftToTheHostAndAnyKnobModeIsTaken) {
    EditorScene scene;
    EXPECT_EQ(scene.dispatch(effEditKeyDown, 'a', 0x41, nullptr, 0.0f), 0);
    EXPECT_EQ(scene.dispatch(effEditKeyUp, 'a', 0x41, nullptr, 0.0f), 0);
    for (VstIntPtr mode : {0, 1, 2}) EXPECT_EQ(scene.dispatch(effSetEditKnobMode, 0, mode), 1);
    scene.dispatch(effEditOpen);
    EXPECT_EQ(scene.dispatch(effEditKeyDown, 'a', 0x41, nullptr, 0.0f), 0);
}
