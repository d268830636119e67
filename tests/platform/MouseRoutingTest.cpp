#include <gtest/gtest.h>

#include "RecordingView.h"
#include "headless/HeadlessSurface.h"

using ui::Point;
using Type = ui::MouseEvent::Type;
using ui::headless::HeadlessSurface;

namespace {
struct Scene {
    std::shared_ptr<RecordingView> root = makeView(0, 0, 200, 200);
    std::shared_ptr<RecordingView> lower = makeView(10, 10, 100, 100);
    std::shared_ptr<RecordingView> upper = makeView(60, 60, 100, 100);
    Scene() {
        root->addSubview(lower);
        root->addSubview(upper);
    }
};
}  // namespace

TEST(MouseRouting, APressGoesToTheTopmostViewUnderTheMouseInItsOwnCoordinates) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    surface.mouseDown({70, 80});
    EXPECT_TRUE(scene.lower->events.empty());
    ASSERT_EQ(scene.upper->events.size(), 1u);
    EXPECT_EQ(scene.upper->events[0].type, Type::Down);
    EXPECT_EQ(scene.upper->events[0].location, (Point{10, 20}));
}

TEST(MouseRouting, DragsAndTheReleaseGoToThePressedViewWhereverTheMouseIs) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    surface.mouseDown({20, 20});
    surface.mouseDragged({100, 100});  // over the upper view
    surface.mouseDragged({-50, 500});  // outside everything
    surface.mouseUp({150, 150});
    ASSERT_EQ(scene.lower->events.size(), 4u);
    EXPECT_EQ(scene.lower->events[1].type, Type::Dragged);
    EXPECT_EQ(scene.lower->events[2].location, (Point{-60, 490}));
    EXPECT_EQ(scene.lower->events[3].type, Type::Up);
    EXPECT_TRUE(scene.upper->events.empty());
    EXPECT_TRUE(scene.root->events.empty());
}

TEST(MouseRouting, DragsWithoutAPressOrAfterTheReleaseGoNowhere) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    surface.mouseDragged({20, 20});
    surface.mouseUp({20, 20});
    surface.mouseDown({20, 20});
    surface.mouseUp({20, 20});
    surface.mouseDragged({20, 20});
    EXPECT_EQ(scene.lower->events.size(), 2u);
}

TEST(MouseRouting, APressOutsideTheTreeIsDropped) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    surface.mouseDown({300, 300});
    surface.mouseUp({20, 20});
    EXPECT_TRUE(scene.root->events.empty());
    EXPECT_TRUE(scene.lower->events.empty());
}

TEST(MouseRouting, APressAViewDoesNotHandleGoesOnToItsSuperview) {
    auto root = makeView(0, 0, 100, 100);
    auto plain = std::make_shared<ui::View>(ui::Rect{10, 10, 20, 20});
    root->addSubview(plain);
    HeadlessSurface surface(root);
    surface.mouseDown({15, 15});
    ASSERT_EQ(root->events.size(), 1u);
    EXPECT_EQ(root->events[0].location, (Point{15, 15}));
}

TEST(MouseRouting, AViewRemovedDuringTheGestureGetsNoMoreEvents) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    surface.mouseDown({20, 20});
    std::weak_ptr<RecordingView> gone = scene.lower;
    scene.lower->removeFromSuperview();
    scene.lower.reset();
    EXPECT_TRUE(gone.expired());
    surface.mouseDragged({30, 30});
    surface.mouseUp({30, 30});
    EXPECT_TRUE(scene.root->events.empty());
}

TEST(MouseRouting, InAnInactiveWindowAPressOnlyActivatesItUnlessTheViewTakesTheFirstMouse) {
    Scene scene;
    scene.upper->acceptsFirst = true;
    HeadlessSurface surface(scene.root);
    surface.setInKeyWindow(false);
    surface.mouseDown({20, 20});
    surface.mouseUp({20, 20});
    EXPECT_TRUE(scene.lower->events.empty());
    EXPECT_EQ(surface.activations(), 1);

    surface.setInKeyWindow(false);
    surface.mouseDown({100, 100});
    EXPECT_EQ(scene.upper->events.size(), 1u);
    EXPECT_EQ(surface.activations(), 2);
}

TEST(MouseRouting, MovesLeavingAndTheWheelReachTheViewUnderThePointerWithTheKeysHeld) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    surface.mouseMoved({20, 20}, ui::ModifierShift);  // over the lower view
    surface.mouseMoved({25, 25});
    surface.mouseMoved({70, 80});  // onto the upper one: the lower hears it was left
    surface.wheelTurned({70, 80}, -2, ui::ModifierControl);
    surface.wheelTurned({70, 80}, 0);  // no turn, no event
    surface.mouseExited();
    surface.mouseExited();  // left once only
    surface.mouseDown({70, 80}, 2, ui::ModifierShift | ui::ModifierControl);

    const auto types = [](const RecordingView& view) {
        std::vector<Type> all;
        for (const RecordedEvent& event : view.events) all.push_back(event.type);
        return all;
    };
    EXPECT_EQ(types(*scene.lower), (std::vector<Type>{Type::Moved, Type::Moved, Type::Left}));
    EXPECT_TRUE(scene.lower->events[0].shift);
    EXPECT_FALSE(scene.lower->events[1].shift);
    EXPECT_EQ(types(*scene.upper),
              (std::vector<Type>{Type::Moved, Type::Wheel, Type::Left, Type::Down}));
    const RecordedEvent& wheel = scene.upper->events[1];
    EXPECT_EQ(wheel.location, (Point{10, 20}));
    EXPECT_EQ(wheel.notches, -2);
    EXPECT_TRUE(wheel.control);
    const RecordedEvent& press = scene.upper->events[3];
    EXPECT_EQ(press.clickCount, 2);
    EXPECT_TRUE(press.shift && press.control);
    EXPECT_TRUE(types(*scene.root).empty());
}
