#include <gtest/gtest.h>

#include <cstdlib>

#include "ControlScene.h"
#include "KnobArithmetic.h"

namespace {

// The step a drag `points` up from step 0 reaches.
int stepReachedAfter(int points) {
    KnobScene scene;
    scene.knob->setStep(0);
    scene.press(10);
    scene.drag(10 + points);
    return scene.knob->step();
}

}  // namespace

// A step every 2.7 points (270 points for the 99 steps), to the nearest step.
TEST(KnobDrag, EachDistanceFallsOnItsStep) {
    EXPECT_EQ(stepReachedAfter(-1), 0);
    EXPECT_EQ(stepReachedAfter(0), 0);
    EXPECT_EQ(stepReachedAfter(1), 0);
    EXPECT_EQ(stepReachedAfter(2), 1);
    EXPECT_EQ(stepReachedAfter(134), 49);
    EXPECT_EQ(stepReachedAfter(224), 82);
    EXPECT_EQ(stepReachedAfter(268), 98);
    EXPECT_EQ(stepReachedAfter(269), 99);
}

TEST(KnobDrag, UpwardTravelStopsAtTheLastStepAndThenSendsNothing) {
    KnobScene scene;
    scene.knob->setStep(0);
    scene.press(0);
    scene.drag(270);
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{99}));
    scene.drag(271);
    scene.drag(600);
    EXPECT_EQ(scene.listener.calls.size(), 1u);
    EXPECT_EQ(scene.knob->step(), 99);
}

TEST(KnobDrag, DownwardTravelStopsAtTheFirstStepAndThenSendsNothing) {
    KnobScene scene;
    scene.knob->setStep(99);
    scene.press(10);
    scene.drag(-260);
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{0}));
    scene.drag(-261);
    scene.drag(-900);
    EXPECT_EQ(scene.listener.calls.size(), 1u);
    EXPECT_EQ(scene.knob->step(), 0);
}

TEST(KnobDrag, APointTurnsTheKnobNowhereAndTwoTurnItAStepEitherWay) {
    for (const int direction : {1, -1}) {
        KnobScene scene;  // at step 50
        scene.press(10);
        scene.drag(10);
        scene.drag(10 + direction);
        EXPECT_TRUE(scene.listener.calls.empty());
        scene.drag(10 + 2 * direction);
        EXPECT_EQ(scene.listener.values(), (std::vector<int>{50 + direction}));
    }
}

TEST(KnobDrag, AMovementWithinOneStepSendsNothingAndAsksForNoRedraw) {
    KnobScene scene;
    scene.press(10);
    scene.drag(12);
    ASSERT_EQ(scene.listener.calls.size(), 1u);
    scene.settle();
    scene.drag(13);  // 3 points: 1.1 steps, still step 51
    EXPECT_EQ(scene.listener.calls.size(), 1u);
    EXPECT_FALSE(scene.surface.isDisplayDue());
}

TEST(KnobDrag, EachStepReachedIsReportedWithTheKnobsParameterAndAlreadyShown) {
    KnobScene scene;
    scene.press(10);
    for (int up = 1; up <= 12; ++up) scene.drag(10 + up);
    ASSERT_EQ(scene.listener.values(), (std::vector<int>{51, 52, 53, 54}));
    for (const ControlCall& call : scene.listener.calls) {
        EXPECT_EQ(call.parameter, KnobScene::kParameter);
        EXPECT_EQ(call.stepDuringCall, call.value);
    }
    scene.release(22);
    EXPECT_EQ(scene.listener.released, (std::vector<int>{KnobScene::kParameter}));
}

// Whatever step the knob shows, grabbing it without moving changes nothing, and the first step
// of a drag either way is the neighbour of the one shown: set from outside, and after a release.
TEST(KnobDrag, ADragStartsFromTheStepShownForEveryStep) {
    for (int shown = 0; shown <= 100; ++shown) {
        KnobScene scene;
        scene.knob->setStep(shown);
        scene.clickAndDragInPlace();
        EXPECT_TRUE(scene.listener.calls.empty()) << "step " << shown;
        EXPECT_EQ(scene.knob->step(), shown);
        if (shown == 100) continue;  // beyond the drag range: nothing further up
        scene.press(10);
        scene.drag(13);  // three points: more than half of a step's 2.7 degrees
        scene.release(13);
        const int above = shown == 99 ? 99 : shown + 1;
        EXPECT_EQ(scene.knob->step(), above) << "step " << shown;
        scene.listener.calls.clear();
        scene.clickAndDragInPlace();
        EXPECT_TRUE(scene.listener.calls.empty()) << "after a release on " << above;
        EXPECT_EQ(scene.knob->step(), above);
    }
}

TEST(KnobDrag, AValueSetFromOutsideIsWhereTheNextDragStarts) {
    KnobScene scene;
    scene.press(10);
    scene.drag(50);  // 40 points: 14.7 steps, step 65
    scene.release(50);
    scene.knob->setStep(5);
    scene.press(0);
    scene.drag(3);
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{65, 6}));
}

TEST(KnobDrag, AReleaseBetweenStepsRestsOnTheStepShown) {
    KnobScene scene;
    scene.press(10);
    scene.drag(97);  // 87 points: 31.9 steps, step 82
    ASSERT_EQ(scene.listener.values().back(), 82);
    scene.release(97);
    const size_t reported = scene.listener.calls.size();
    scene.clickAndDragInPlace();
    EXPECT_EQ(scene.listener.calls.size(), reported);
    EXPECT_EQ(scene.knob->step(), 82);
}

TEST(KnobDrag, AKnobAtOneHundredKeepsItsPictureUntilTheDragLeavesTheTop) {
    KnobScene scene;
    scene.knob->setStep(100);
    scene.settle();
    scene.press(10);
    scene.drag(60);  // beyond the top of the travel
    EXPECT_EQ(scene.knob->step(), 100);
    EXPECT_TRUE(scene.listener.calls.empty());
    EXPECT_FALSE(scene.surface.isDisplayDue());
    scene.drag(5);  // five points down: 1.8 steps below the top
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{97}));
}

TEST(KnobDrag, AValueSetFromOutsideDuringADragIsWhereTheDragGoesOnFrom) {
    KnobScene scene;
    scene.press(10);
    scene.drag(12);  // reports 51
    scene.knob->setStep(20);
    scene.settle();
    scene.drag(12);
    EXPECT_EQ(scene.knob->step(), 20);
    EXPECT_EQ(scene.listener.calls.size(), 1u);
    EXPECT_FALSE(scene.surface.isDisplayDue());
}

// Equal distances up and down, in the small moves a real mouse sends, from wherever the press
// fell (between pixels, at the knob's lower edge where its coordinates change sign, below it):
// as many steps either way, plain and with Shift.
TEST(KnobDrag, EqualDistancesUpAndDownTurnTheKnobByEqualSteps) {
    for (const unsigned modifiers : {ui::ModifierNone, ui::ModifierShift}) {
        for (const double pressAt : {24.5, 20.7, 0.5, -3.5}) {
            for (int distance = 1; distance <= 60; ++distance) {
                int turned[2] = {};
                for (const int direction : {1, -1}) {
                    KnobScene scene;
                    scene.knob->setStep(50);
                    const double x = KnobScene::kX + 24.0;
                    const auto at = [&](double y) { return ui::Point{x, KnobScene::kY + y}; };
                    scene.knob->mouseDown(
                        ui::MouseEvent(ui::MouseEvent::Type::Down, at(pressAt), 1, modifiers));
                    for (int moved = 1; moved <= distance; ++moved) {
                        scene.knob->mouseDragged(ui::MouseEvent(ui::MouseEvent::Type::Dragged,
                                                                at(pressAt + direction * moved), 1,
                                                                modifiers));
                    }
                    turned[direction > 0 ? 0 : 1] = std::abs(scene.knob->step() - 50);
                }
                ASSERT_EQ(turned[0], turned[1])
                    << distance << " points from " << pressAt
                    << (modifiers == ui::ModifierShift ? " with Shift" : "");
                if (distance == 40) {
                    EXPECT_EQ(turned[0], modifiers == ui::ModifierShift ? 5 : 15);
                }
            }
        }
    }
}

TEST(KnobDrag, AReleaseSendsNothingAndAsksForNoRedraw) {
    KnobScene scene;
    scene.press(10);
    scene.drag(12);
    scene.settle();
    scene.release(300);
    EXPECT_EQ(scene.listener.calls.size(), 1u);
    EXPECT_FALSE(scene.surface.isDisplayDue());
    scene.clickAndDragInPlace();  // rests on step 51, wherever the mouse was let go
    EXPECT_EQ(scene.listener.calls.size(), 1u);
}

TEST(KnobDrag, APressInAnInactiveWindowTurnsTheKnob) {
    KnobScene scene;
    scene.surface.setInKeyWindow(false);
    scene.press(10);
    scene.drag(40);
    EXPECT_EQ(scene.listener.calls.size(), 1u);
    EXPECT_TRUE(
        scene.knob->acceptsPressWhileInactive(ui::MouseEvent(ui::MouseEvent::Type::Down, {})));
}

TEST(KnobValue, SettingTheStepMovesTheKnobWithoutACallbackAndAsksForARedraw) {
    KnobScene scene;
    scene.settle();
    scene.knob->setStep(30);
    EXPECT_EQ(scene.knob->step(), 30);
    EXPECT_TRUE(scene.listener.calls.empty());
    EXPECT_TRUE(scene.surface.isDisplayDue());
    EXPECT_EQ(scene.pictureShown(), knob::pictureForValue(30));
}

TEST(KnobValue, OneHundredShowsTheLastPictureAndIsReadBack) {
    KnobScene scene;
    scene.knob->setStep(100);
    EXPECT_EQ(scene.pictureShown(), 127);
    EXPECT_EQ(scene.knob->step(), 100);
    EXPECT_TRUE(scene.listener.calls.empty());
}

TEST(KnobPicture, TheValueTimes127HundredthsChoosesThePicture) {
    KnobScene scene;
    const std::pair<int, int> table[] = {{0, 0}, {1, 1}, {4, 5}, {50, 63}, {99, 125}, {100, 127}};
    for (const auto& [value, picture] : table) {
        scene.knob->setStep(value);
        EXPECT_EQ(scene.pictureShown(), picture) << "value " << value;
    }
}

TEST(KnobPicture, AValueWithoutAPictureShowsNoKnob) {
    KnobScene scene;
    scene.knob->setStep(200);
    EXPECT_EQ(scene.pictureShown(), -1);
    scene.knob->setStep(-1);
    EXPECT_EQ(scene.pictureShown(), -1);
}

TEST(KnobPicture, DrawingMarksTheKnobAndItsHolderForTheNextCycle) {
    KnobScene scene;
    scene.settle();
    EXPECT_TRUE(scene.knob->needsRedraw());
    EXPECT_TRUE(scene.root->needsRedraw());
    scene.knob->setStep(60);
    EXPECT_TRUE(scene.surface.redrawIfNeeded());
    EXPECT_TRUE(scene.knob->needsRedraw());
}

TEST(KnobPicture, TheKnobsTransparentCornersShowWhatLiesBeneath) {
    KnobScene scene;
    const ui::headless::Pixel corner =
        scene.surface.pixelAt({KnobScene::kX + 0.5, KnobScene::kY + 0.5});
    EXPECT_EQ(corner,
              (ui::headless::Pixel{test_pictures::kBackgroundRed, test_pictures::kBackgroundGreen,
                                   test_pictures::kBackgroundBlue, 255}));
}

TEST(KnobConstruction, AKnobStartsAtStep50AndItsFaceLeavesTheMouseToIt) {
    KnobScene scene;
    EXPECT_EQ(scene.knob->step(), 50);
    EXPECT_EQ(scene.knob->parameter(), KnobScene::kParameter);
    EXPECT_EQ(scene.pictureShown(), knob::pictureForValue(50));
    ASSERT_EQ(scene.knob->subviews().size(), 1u);
    EXPECT_EQ(scene.knob->subviews()[0]->frame(), (ui::Rect{0, 0, 48, 48}));
    EXPECT_EQ(scene.root->hitTest({KnobScene::kX + 24.0, KnobScene::kY + 24.0}), scene.knob.get());
    EXPECT_TRUE(scene.knob->isLayerBacked());
}

TEST(KnobConstruction, ThePicturesAreNotDecodedUntilTheKnobIsDrawn) {
    auto frames = knobFrames();
    auto knob = std::make_shared<Knob>(ui::Rect{0, 0, 48, 48}, kMix, frames);
    for (const auto& picture : *frames) EXPECT_FALSE(picture->isDecoded());
}
