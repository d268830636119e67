#include <gtest/gtest.h>

#include <cstdlib>

#include "BackgroundView.h"
#include "ControlScene.h"
#include "LoopSwitch.h"

using ui::headless::Pixel;

namespace {

const Pixel kBackground{test_pictures::kBackgroundRed, test_pictures::kBackgroundGreen,
                        test_pictures::kBackgroundBlue, 255};
const Pixel kOff{test_pictures::kSwitchOffRed, test_pictures::kSwitchOffGreen,
                 test_pictures::kSwitchOffBlue, 255};
const Pixel kOn{test_pictures::kSwitchOnRed, test_pictures::kSwitchOnGreen,
                test_pictures::kSwitchOnBlue, 255};

struct SwitchScene {
    static constexpr double kX = 82.0, kY = 132.0;

    std::shared_ptr<Backdrop> root = std::make_shared<Backdrop>(ui::Rect{0, 0, 344, 400});
    static constexpr int kParameter = kHighPassInLoop;

    std::shared_ptr<LoopSwitch> toggle = std::make_shared<LoopSwitch>(
        ui::Rect{kX, kY, 15, 16}, kParameter, std::make_shared<ui::Image>("switchoff"),
        std::make_shared<ui::Image>("switchon"));
    RecordingListener listener;
    ui::headless::HeadlessSurface surface{root};
    std::vector<int> statesSeenByListener;

    SwitchScene() {
        root->addSubview(toggle);
        toggle->setListener(&listener);
        listener.duringCall = [this] { statesSeenByListener.push_back(toggle->state()); };
        surface.displayAll();
    }
    void click() {
        surface.mouseDown({kX + 7.0, kY + 8.0});
        surface.mouseUp({kX + 7.0, kY + 8.0});
    }
    Pixel centre() {
        surface.redrawIfNeeded();
        return surface.pixelAt({kX + 7.5, kY + 8.0});
    }
    Pixel ring() {
        surface.redrawIfNeeded();
        return surface.pixelAt({kX + 0.5, kY + 0.5});
    }
};

}  // namespace

TEST(Switch, StartsOffShowingItsFirstPicture) {
    SwitchScene scene;
    EXPECT_EQ(scene.toggle->state(), 0);
    EXPECT_EQ(scene.centre(), kOff);
}

TEST(Switch, EachPressFlipsTheStateAndSendsExactlyOneCallback) {
    SwitchScene scene;
    scene.click();
    EXPECT_EQ(scene.toggle->state(), 1);
    EXPECT_EQ(scene.centre(), kOn);
    scene.click();
    EXPECT_EQ(scene.toggle->state(), 0);
    EXPECT_EQ(scene.centre(), kOff);
    ASSERT_EQ(scene.listener.calls.size(), 2u);
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{1, 0}));
    for (const ControlCall& call : scene.listener.calls) {
        EXPECT_EQ(call.parameter, SwitchScene::kParameter);  // which control moved
    }
}

TEST(Switch, TheNewStateIsStoredBeforeTheListenerHearsOfIt) {
    SwitchScene scene;
    scene.click();
    scene.click();
    EXPECT_EQ(scene.statesSeenByListener, (std::vector<int>{1, 0}));
}

TEST(Switch, APressAsksForARedrawAfterTheCallback) {
    SwitchScene scene;
    bool dueDuringCall = true;
    scene.listener.duringCall = [&] { dueDuringCall = scene.toggle->needsRedraw(); };
    scene.click();
    EXPECT_FALSE(dueDuringCall);
    EXPECT_TRUE(scene.toggle->needsRedraw());
    EXPECT_TRUE(scene.surface.isDisplayDue());
}

TEST(Switch, AnyStateOtherThanZeroShowsTheOnPictureAndTheNextPressTurnsItOff) {
    SwitchScene scene;
    scene.toggle->setState(-7);
    EXPECT_EQ(scene.toggle->state(), -7);
    scene.toggle->setNeedsRedraw(true);
    EXPECT_EQ(scene.centre(), kOn);
    scene.click();
    EXPECT_EQ(scene.toggle->state(), 0);
}

TEST(Switch, SettingTheStateAloneChangesNothingOnScreenUntilTheNextRedraw) {
    SwitchScene scene;
    scene.toggle->setState(1);
    EXPECT_FALSE(scene.surface.isDisplayDue());
    EXPECT_TRUE(scene.listener.calls.empty());
    EXPECT_EQ(scene.centre(), kOff);
    scene.root->setNeedsRedraw(true);
    EXPECT_EQ(scene.centre(), kOn);
}

TEST(Switch, ItsPicturesAreBlendedOverWhatLiesBeneath) {
    SwitchScene scene;
    // The pictures' ring is white at half opacity: over the backdrop it comes out in between.
    const Pixel ring = scene.ring();
    const double a = 128.0 / 255.0;
    EXPECT_NEAR(ring.red, 255 * a + kBackground.red * (1 - a), 2);
    EXPECT_NEAR(ring.blue, 255 * a + kBackground.blue * (1 - a), 2);
    EXPECT_EQ(ring.alpha, 255);
}

TEST(Switch, APressInAnInactiveWindowOnlyActivatesIt) {
    SwitchScene scene;
    scene.surface.setInKeyWindow(false);
    scene.click();
    EXPECT_EQ(scene.toggle->state(), 0);
    EXPECT_EQ(scene.surface.activations(), 1);
    scene.click();
    EXPECT_EQ(scene.toggle->state(), 1);
}

TEST(Background, ItsPictureReplacesThePixelsBeneathOverTheWholeView) {
    // Under the background, a half-transparent red view: after the copy none of it shows.
    auto root = std::make_shared<ui::View>(ui::Rect{0, 0, 344, 400});
    auto red = std::make_shared<BackgroundView>(std::make_shared<ui::Image>("half-red", "png"),
                                                ui::Rect{0, 0, 344, 400});
    auto background = std::make_shared<BackgroundView>(
        std::make_shared<ui::Image>("delaybackground"), ui::Rect{0, 0, 344, 400});
    root->addSubview(red);
    root->addSubview(background);
    ui::headless::HeadlessSurface surface(root);
    surface.displayAll();
    EXPECT_EQ(surface.pixelAt({0.5, 0.5}), kBackground);
    EXPECT_EQ(surface.pixelAt({343.5, 399.5}), kBackground);
    EXPECT_EQ(surface.pixelAt({172, 200}), kBackground);
}

TEST(Background, TakesItsPictureWithoutDecodingIt) {
    auto picture = std::make_shared<ui::Image>("delaybackground");
    BackgroundView background(picture, {0, 0, 344, 400});
    EXPECT_EQ(background.frame(), (ui::Rect{0, 0, 344, 400}));
    EXPECT_FALSE(picture->isDecoded());
}

TEST(Background, LiesUnderTheControlsAddedBeforeIt) {
    SwitchScene scene;
    auto background = std::make_shared<BackgroundView>(
        std::make_shared<ui::Image>("delaybackground"), ui::Rect{0, 0, 344, 400});
    scene.root->addSubview(background, ui::View::Ordering::WindowBelow);
    scene.root->setNeedsRedraw(true);
    EXPECT_EQ(scene.centre(), kOff);
    scene.click();
    EXPECT_EQ(scene.toggle->state(), 1);
}
