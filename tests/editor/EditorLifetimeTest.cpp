// What the editor leaves behind: each open lets go of the view of the one before, and an effect
// closed while its editor is shown takes the editor's windows and views with it. The sanitizer
// build (ZV_SANITIZE=address) checks the same runs for leaks and for use after free.
#include <gtest/gtest.h>

#include <memory>

#include "EditorScene.h"
#include "headless/HeadlessHandles.h"

using ui::headless::Desktop;
using ui::headless::HostViewHandle;

TEST(EditorLifetime, EachOpenReleasesTheViewTreeOfTheOneBefore) {
    EditorScene scene;
    HostViewHandle host(ui::Size{344, 400}, ui::Rect{0, 0, 344, 400}, 400.0);
    scene.dispatch(effEditOpen, 0, 0, host.handle());
    std::weak_ptr<ui::View> first = scene.editor().view();
    std::weak_ptr<ui::View> firstKnob =
        scene.controller().knobForParameter(kMix)->shared_from_this();
    scene.dispatch(effEditClose);
    scene.dispatch(effEditOpen, 0, 0, host.handle());
    EXPECT_TRUE(first.expired());
    EXPECT_TRUE(firstKnob.expired());
    ASSERT_EQ(host.view()->subviews().size(), 1u);
    EXPECT_EQ(host.view()->subviews()[0].get(), scene.shownView());
}

TEST(EditorLifetime, AHundredOpensAndClosesOfEveryKindLeaveOneViewAndNoWindow) {
    EditorScene scene;
    HostViewHandle host(ui::Size{344, 400}, ui::Rect{0, 0, 344, 400}, 400.0);
    HostViewHandle bareHost(ui::Size{344, 400});
    std::vector<std::weak_ptr<ui::View>> views;
    for (int cycle = 0; cycle < 100; ++cycle) {
        void* handles[] = {host.handle(), bareHost.handle(), nullptr};
        ASSERT_EQ(scene.dispatch(effEditOpen, 0, 0, handles[cycle % 3]), 1);
        views.push_back(scene.editor().view());
        scene.effect.setParameter(kMix, static_cast<float>(cycle) * 0.01f);
        scene.dispatch(effEditIdle);
        scene.dispatch(effEditClose);
        EXPECT_TRUE(Desktop::shared().windows().empty());
    }
    for (std::size_t i = 0; i + 1 < views.size(); ++i) EXPECT_TRUE(views[i].expired()) << i;
    EXPECT_LE(host.view()->subviews().size(), 1u);
    EXPECT_LE(bareHost.view()->subviews().size(), 1u);
}

TEST(EditorLifetime, AnEffectClosedWhileItsViewIsInTheHostsViewTakesTheViewOut) {
    FreshDesktop desktop;
    HostViewHandle host(ui::Size{344, 400}, ui::Rect{0, 0, 344, 400}, 400.0);
    auto* effect = new EditedEffect;
    AEffect* record = effect->getAeffect();
    record->dispatcher(record, effEditOpen, 0, 0, host.handle(), 0.0f);
    std::weak_ptr<ui::View> view = static_cast<Vst2Editor*>(effect->getEditor())->view();
    ASSERT_EQ(host.view()->subviews().size(), 1u);
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    EXPECT_TRUE(host.view()->subviews().empty());
    EXPECT_TRUE(view.expired());
}
