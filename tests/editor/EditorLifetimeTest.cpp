// What the editor leaves behind: each open lets go of the view of the one before, and an effect
// closed while its editor is shown takes the editor's windows and views with it. The sanitizer
// build (ZV_SANITIZE=address) checks the same runs for leaks and for use after free.
#include <gtest/gtest.h>

#include <memory>

#include "EditorScene.h"
#include "FloatingWindow.h"
#include "headless/HeadlessHandles.h"
#include "headless/HeadlessWindow.h"

using ui::headless::Desktop;
using ui::headless::HostViewHandle;
using ui::headless::WindowReference;

TEST(EditorLifetime, EachOpenReleasesTheViewTreeOfTheOneBefore) {
    EditorScene scene;
    HostViewHandle host(ui::Size{344, 400}, ui::Rect{0, 0, 344, 400}, 400.0);
    scene.dispatch(effEditOpen, 0, 0, host.handle());
    std::weak_ptr<ui::View> first = scene.editor().view();
    std::weak_ptr<ui::View> firstKnob = scene.controller().mixKnob()->shared_from_this();
    scene.dispatch(effEditClose);
    scene.dispatch(effEditOpen, 0, 0, host.handle());
    EXPECT_TRUE(first.expired());
    EXPECT_TRUE(firstKnob.expired());
    ASSERT_EQ(host.view()->subviews().size(), 1u);
    EXPECT_EQ(host.view()->subviews()[0].get(), &scene.view());
}

TEST(EditorLifetime, AHundredOpensAndClosesOfEveryKindLeaveOneViewAndNoWindow) {
    EditorScene scene;
    HostViewHandle host(ui::Size{344, 400}, ui::Rect{0, 0, 344, 400}, 400.0);
    HostViewHandle bareHost(ui::Size{344, 400});
    WindowReference reference;
    std::vector<std::weak_ptr<ui::View>> views;
    for (int cycle = 0; cycle < 100; ++cycle) {
        void* handles[] = {host.handle(), bareHost.handle(), reference.handle(), nullptr};
        ASSERT_EQ(scene.dispatch(effEditOpen, 0, 0, handles[cycle % 4]), 1);
        views.push_back(scene.editor().view());
        scene.effect.setParameter(kMix, static_cast<float>(cycle) * 0.01f);
        scene.dispatch(effEditIdle);
        scene.dispatch(effEditClose);
        EXPECT_LE(Desktop::shared().windows().size(), 1u);
    }
    for (std::size_t i = 0; i + 1 < views.size(); ++i) EXPECT_TRUE(views[i].expired()) << i;
    EXPECT_LE(host.view()->subviews().size(), 1u);
    EXPECT_LE(bareHost.view()->subviews().size(), 1u);
}

TEST(EditorLifetime, ASecondOpenWhileTheFloatingWindowIsShownClosesTheEarlierWindow) {
    EditorScene scene;
    WindowReference reference;
    scene.dispatch(effEditOpen, 0, 0, reference.handle());
    const std::shared_ptr<FloatingWindow> earlier = scene.editor().getFloatingWindow();
    scene.dispatch(effEditOpen, 0, 0, nullptr);
    EXPECT_TRUE(earlier->isClosed());
    EXPECT_EQ(earlier->editor(), nullptr);
    EXPECT_EQ(scene.editor().getFloatingWindow(), nullptr);
    EXPECT_TRUE(scene.editor().isEditorOpen());  // the earlier window's close did not end it
}

TEST(EditorLifetime, AnEffectClosedWhileItsFloatingWindowIsShownClosesTheWindowFirst) {
    FreshDesktop desktop;
    WindowReference reference;
    auto* effect = new EditedEffect;
    AEffect* record = effect->getAeffect();
    record->dispatcher(record, effEditOpen, 0, 0, reference.handle(), 0.0f);
    auto* editor = static_cast<Vst2Editor*>(effect->getEditor());
    const std::shared_ptr<FloatingWindow> window = editor->getFloatingWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(window->editor(), nullptr);  // nothing points at the editor that is gone
    EXPECT_TRUE(static_cast<ui::headless::HeadlessWindow&>(window->backend()).wasClosed());
    window->close();  // closing it again reaches nothing
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
