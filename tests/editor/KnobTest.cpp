#include <gtest/gtest.h>

#include <cstdlib>

#include "ControlScene.h"
#include "KnobArithmetic.h"

namespace {

// The step a drag reaches at exactly `angle`: the knob rests on step 0, and the mouse moves from
// the press as many points up as the angle lies below that rest angle.
int stepReachedAtAngle(int angle) {
    KnobScene scene;
    scene.knob->setStep(0);
    const int rest = knob::restAngleForIndex(Knob::kSteps, 0);
    scene.press(10);
    scene.drag(10 + rest - angle);
    return scene.knob->step();
}

}  // namespace

TEST(KnobAngles, EachAngleFallsOnItsStep) {
    EXPECT_EQ(stepReachedAtAngle(225), 0);
    EXPECT_EQ(stepReachedAtAngle(224), 0);
    EXPECT_EQ(stepReachedAtAngle(223), 0);
    EXPECT_EQ(stepReachedAtAngle(222), 1);
    EXPECT_EQ(stepReachedAtAngle(90), 49);
    EXPECT_EQ(stepReachedAtAngle(0), 82);
    EXPECT_EQ(stepReachedAtAngle(-44), 98);
    EXPECT_EQ(stepReachedAtAngle(-45), 99);
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

TEST(KnobDrag, OnePointUpTurnsTheKnobOneDegreeTowardItsHighestStep) {
    KnobScene scene;
    scene.press(10);
    scene.drag(10);  // step 51 at the rest angle 85
    scene.drag(11);  // 84 degrees: still step 51 (83.2 to 85.9 degrees are all step 51)
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{51}));
    scene.drag(12);  // 83 degrees: step 52
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{51, 52}));
}

TEST(KnobDrag, AMovementWithinOneStepSendsNothingAndAsksForNoRedraw) {
    KnobScene scene;
    scene.press(10);
    scene.drag(10);
    ASSERT_EQ(scene.listener.calls.size(), 1u);
    scene.settle();
    scene.drag(11);  // angle 84: still step 51
    EXPECT_EQ(scene.listener.calls.size(), 1u);
    EXPECT_FALSE(scene.surface.isDisplayDue());
}

TEST(KnobDrag, EachStepReachedIsReportedWithTheKnobsParameterAndAlreadyShown) {
    KnobScene scene;
    scene.press(10);
    for (int up = 1; up <= 12; ++up) scene.drag(10 + up);
    ASSERT_EQ(scene.listener.values(), (std::vector<int>{51, 52, 53, 54, 55}));
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
    scene.drag(50);  // angle 45: step 66
    scene.release(50);
    scene.knob->setStep(5);
    scene.press(0);
    scene.drag(3);
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{66, 6}));
}

TEST(KnobDrag, AReleaseOnANegativeAngleRestsOnTheStepShown) {
    KnobScene scene;
    scene.press(10);
    scene.drag(97);  // angle -2: step 83
    ASSERT_EQ(scene.listener.values().back(), 83);
    scene.release(97);
    const size_t reported = scene.listener.calls.size();
    scene.clickAndDragInPlace();
    EXPECT_EQ(scene.listener.calls.size(), reported);
    EXPECT_EQ(scene.knob->step(), 83);
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
    scene.drag(5);  // five degrees below the top
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{97}));
}

TEST(KnobDrag, AValueSetFromOutsideDuringADragIsWhereTheDragGoesOnFrom) {
    KnobScene scene;
    scene.press(10);
    scene.drag(10);  // reports 51
    scene.knob->setStep(20);
    scene.settle();
    scene.drag(10);
    EXPECT_EQ(scene.knob->step(), 20);
    EXPECT_EQ(scene.listener.calls.size(), 1u);
    EXPECT_FALSE(scene.surface.isDisplayDue());
}

// The press height is truncated toward zero: a height rounded (21) or floored (-4) would make
// the drags below reach step 50 and step 52 instead.
TEST(KnobDrag, APressRecordsItsHeightTruncatedTowardZeroAndNothingElse) {
    KnobScene scene;
    scene.settle();
    scene.press(20.7);
    EXPECT_EQ(scene.knob->step(), 50);
    EXPECT_TRUE(scene.listener.calls.empty());
    EXPECT_FALSE(scene.surface.isDisplayDue());
    scene.drag(20);  // 85 degrees
    EXPECT_EQ(scene.listener.values(), (std::vector<int>{51}));
    scene.release(20);

    // Below the knob (where only a direct call can press it).
    KnobScene below;
    const double x = KnobScene::kX + 24.0;
    below.knob->mouseDown(ui::MouseEvent(ui::MouseEvent::Type::Down, {x, KnobScene::kY - 3.5}));
    below.knob->mouseDragged(
        ui::MouseEvent(ui::MouseEvent::Type::Dragged, {x, KnobScene::kY - 2.0}));  // 84 degrees
    EXPECT_EQ(below.listener.values(), (std::vector<int>{51}));
}

// A Shift-drag counts whole points from where it started, so the same distance up or down turns
// the knob by as many steps, wherever the press was: on the knob, or across its lower edge where
// the view's coordinates change sign.
TEST(KnobDrag, EqualDistancesUpAndDownTurnAShiftDragByEqualSteps) {
    for (const double pressAt : {24.5, 20.7, 0.5, -3.5}) {
        for (int distance = 1; distance <= 60; ++distance) {
            int turned[2] = {};
            for (const int direction : {1, -1}) {
                KnobScene scene;
                scene.knob->setStep(50);
                const auto at = [&](double y) {
                    return ui::Point{KnobScene::kX + 24.0, KnobScene::kY + y};
                };
                scene.knob->mouseDown(
                    ui::MouseEvent(ui::MouseEvent::Type::Down, at(pressAt), 1, ui::ModifierShift));
                for (int moved = 1; moved <= distance; ++moved) {
                    scene.knob->mouseDragged(ui::MouseEvent(ui::MouseEvent::Type::Dragged,
                                                            at(pressAt + direction * moved), 1,
                                                            ui::ModifierShift));
                }
                turned[direction > 0 ? 0 : 1] = std::abs(scene.knob->step() - 50);
            }
            ASSERT_EQ(turned[0], turned[1]) << distance << " points from " << pressAt;
            ASSERT_EQ(turned[0], distance / 8) << distance << " points from " << pressAt;
        }
    }
}

TEST(KnobDrag, AReleaseSendsNothingAndAsksForNoRedraw) {
    KnobScene scene;
    scene.press(10);
    scene.drag(10);
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
