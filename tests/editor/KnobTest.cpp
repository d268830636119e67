#include <gtest/gtest.h>

#include "ControlScene.h"
#include "KnobArithmetic.h"

namespace {

// The knob at rest at `angle` with `previous` as the step last reported, then pressed and
// dragged without moving: the angle is exactly the rest angle.
int stepAtRestAngle(int angle) {
    KnobScene scene;
    scene.point.setCurrentAngle(angle);
    scene.point.setPreviousValue(-1);
    scene.press(10);
    scene.drag(10);
    return scene.point.ReturnValue();
}

}  // namespace

TEST(KnobAngles, EachAngleFallsOnItsStep) {
    EXPECT_EQ(stepAtRestAngle(225), 0);
    EXPECT_EQ(stepAtRestAngle(224), 0);
    EXPECT_EQ(stepAtRestAngle(223), 0);
    EXPECT_EQ(stepAtRestAngle(222), 1);
    EXPECT_EQ(stepAtRestAngle(90), 49);
    EXPECT_EQ(stepAtRestAngle(0), 82);
    EXPECT_EQ(stepAtRestAngle(-44), 98);
    EXPECT_EQ(stepAtRestAngle(-45), 99);
}

TEST(KnobDrag, UpwardTravelStopsAtTheLastStepAndThenSendsNothing) {
    KnobScene scene;
    scene.point.setCurrentAngle(225);
    scene.point.setPreviousValue(0);
    scene.press(0);
    scene.drag(270);
    EXPECT_EQ(scene.delegate.indexes(), (std::vector<int>{99}));
    EXPECT_FLOAT_EQ(scene.point.currentDraggedAngle(), -45.0f);
    scene.drag(271);
    scene.drag(600);
    EXPECT_EQ(scene.delegate.calls.size(), 1u);
    EXPECT_EQ(scene.point.ReturnValue(), 99);
    EXPECT_FLOAT_EQ(scene.point.currentDraggedAngle(), -45.0f);
}

TEST(KnobDrag, DownwardTravelStopsAtTheFirstStepAndThenSendsNothing) {
    KnobScene scene;
    scene.point.setCurrentAngle(-45);
    scene.point.setPreviousValue(99);
    scene.press(10);
    scene.drag(-260);
    EXPECT_EQ(scene.delegate.indexes(), (std::vector<int>{0}));
    scene.drag(-261);
    scene.drag(-900);
    EXPECT_EQ(scene.delegate.calls.size(), 1u);
    EXPECT_FLOAT_EQ(scene.point.currentDraggedAngle(), 225.0f);
}

TEST(KnobDrag, OnePointUpTurnsTheKnobOneDegreeTowardItsHighestStep) {
    KnobScene scene;
    scene.press(10);
    scene.drag(10);  // step 51 at the rest angle 85
    scene.drag(11);
    EXPECT_FLOAT_EQ(scene.point.currentDraggedAngle(), 84.0f);
    scene.drag(10);
    EXPECT_FLOAT_EQ(scene.point.currentDraggedAngle(), 85.0f);
    EXPECT_EQ(scene.delegate.calls.size(), 1u);  // 83.2 to 85.9 degrees are all step 51
}

TEST(KnobDrag, AMovementWithinOneStepSendsNothingAndAsksForNoRedraw) {
    KnobScene scene;
    scene.press(10);
    scene.drag(10);
    ASSERT_EQ(scene.delegate.calls.size(), 1u);
    scene.settle();
    scene.drag(11);  // angle 84: still step 51
    EXPECT_EQ(scene.delegate.calls.size(), 1u);
    EXPECT_FLOAT_EQ(scene.point.currentDraggedAngle(), 84.0f);
    EXPECT_FALSE(scene.point.needsDisplay());
    EXPECT_FALSE(scene.surface.isDisplayDue());
}

// Whatever step the knob shows, grabbing it without moving changes nothing, and the first step
// of a drag either way is the neighbour of the one shown: set from outside, and after a release.
TEST(KnobDrag, ADragStartsFromTheStepShownForEveryStep) {
    for (int shown = 0; shown <= 100; ++shown) {
        KnobScene scene;
        scene.point.setIntValue(shown);
        scene.clickAndDragInPlace();
        EXPECT_TRUE(scene.delegate.calls.empty()) << "step " << shown;
        EXPECT_EQ(scene.point.ReturnValue(), shown);
        if (shown == 100) continue;  // beyond the drag range: nothing further up
        scene.press(10);
        scene.drag(13);  // three points: more than half of a step's 2.7 degrees
        scene.release(13);
        const int above = shown == 99 ? 99 : shown + 1;
        EXPECT_EQ(scene.point.ReturnValue(), above) << "step " << shown;
        scene.delegate.calls.clear();
        scene.clickAndDragInPlace();
        EXPECT_TRUE(scene.delegate.calls.empty()) << "after a release on " << above;
        EXPECT_EQ(scene.point.ReturnValue(), above);
    }
}

TEST(KnobDrag, AValueSetFromOutsideIsWhereTheNextDragStarts) {
    KnobScene scene;
    scene.press(10);
    scene.drag(50);  // angle 45: step 66
    scene.release(50);
    scene.point.setIntValue(5);
    EXPECT_EQ(scene.point.previousValue(), 5);
    scene.press(0);
    scene.drag(3);
    EXPECT_EQ(scene.delegate.indexes(), (std::vector<int>{66, 6}));
}

TEST(KnobDrag, AReleaseOnANegativeAngleRestsOnTheStepShown) {
    KnobScene scene;
    scene.press(10);
    scene.drag(97);  // angle -2: step 83, snapped to -1.36 degrees
    ASSERT_EQ(scene.delegate.indexes().back(), 83);
    scene.release(97);
    EXPECT_EQ(knob::indexForAngle(100, static_cast<float>(scene.point.currentAngle())), 83);
    const size_t reported = scene.delegate.calls.size();
    scene.clickAndDragInPlace();
    EXPECT_EQ(scene.delegate.calls.size(), reported);
    EXPECT_EQ(scene.point.ReturnValue(), 83);
}

TEST(KnobDrag, AKnobAtOneHundredKeepsItsPictureUntilTheDragLeavesTheTop) {
    KnobScene scene;
    scene.point.setIntValue(100);
    scene.settle();
    scene.press(10);
    scene.drag(60);  // beyond the top of the travel
    EXPECT_EQ(scene.point.ReturnValue(), 100);
    EXPECT_TRUE(scene.delegate.calls.empty());
    EXPECT_FALSE(scene.surface.isDisplayDue());
    scene.drag(5);  // five degrees below the top
    EXPECT_EQ(scene.delegate.indexes(), (std::vector<int>{97}));
}

TEST(KnobDrag, AValueSetFromOutsideDuringADragIsWhereTheDragGoesOnFrom) {
    KnobScene scene;
    scene.press(10);
    scene.drag(10);  // reports 51
    scene.point.setIntValue(20);
    scene.settle();
    scene.drag(10);
    EXPECT_EQ(scene.point.ReturnValue(), 20);
    EXPECT_EQ(scene.delegate.calls.size(), 1u);
    EXPECT_FALSE(scene.surface.isDisplayDue());
}

TEST(KnobDrag, APressRecordsItsHeightTruncatedTowardZeroAndNothingElse) {
    KnobScene scene;
    scene.settle();
    scene.press(20.7);
    EXPECT_EQ(scene.point.mouseDownPosition(), 20);
    // Below the knob (where only a direct call can press it), truncation goes toward zero.
    scene.point.mouseDown(
        ui::MouseEvent(ui::MouseEvent::Type::Down, {KnobScene::kX + 24.0, KnobScene::kY - 3.5}));
    EXPECT_EQ(scene.point.mouseDownPosition(), -3);
    EXPECT_EQ(scene.point.currentAngle(), 85);
    EXPECT_EQ(scene.point.ReturnValue(), 50);
    EXPECT_TRUE(scene.delegate.calls.empty());
    EXPECT_FALSE(scene.surface.isDisplayDue());
}

TEST(KnobDrag, AReleaseSendsNothingAndAsksForNoRedraw) {
    KnobScene scene;
    scene.press(10);
    scene.drag(10);
    scene.settle();
    scene.release(300);
    EXPECT_EQ(scene.delegate.calls.size(), 1u);
    EXPECT_EQ(scene.point.currentAngle(), knob::restAngleForIndex(100, 51));
    EXPECT_FALSE(scene.surface.isDisplayDue());
}

TEST(KnobDrag, APressInAnInactiveWindowTurnsTheKnobAndNeverMovesTheWindow) {
    KnobScene scene;
    scene.surface.setInKeyWindow(false);
    scene.surface.setMovesByWindowBackground(true);
    scene.press(10);
    scene.drag(40);
    EXPECT_EQ(scene.delegate.calls.size(), 1u);
    EXPECT_EQ(scene.surface.windowOffset(), (ui::Point{0, 0}));
    EXPECT_TRUE(scene.point.acceptsFirstMouse(ui::MouseEvent(ui::MouseEvent::Type::Down, {})));
    EXPECT_FALSE(scene.point.mouseDownCanMoveWindow());
}

TEST(KnobDrag, AKnobWithFewerThanTwoStepsDoesNotTurn) {
    KnobScene scene;
    scene.point.setData(stepsUpTo(1));
    scene.press(10);
    scene.drag(50);
    scene.point.setData(nullptr);
    scene.drag(80);
    EXPECT_TRUE(scene.delegate.calls.empty());
    EXPECT_EQ(scene.point.ReturnValue(), 50);
}

TEST(KnobValue, SetIntValueMovesTheKnobWithoutACallbackAndAsksForARedraw) {
    KnobScene scene;
    scene.settle();
    scene.point.setIntValue(30);
    EXPECT_EQ(scene.point.ReturnValue(), 30);
    EXPECT_EQ(scene.point.currentDraggedAngle(), knob::angleForIndex(100, 30));
    EXPECT_EQ(scene.point.previousValue(), 30);
    EXPECT_TRUE(scene.delegate.calls.empty());
    EXPECT_TRUE(scene.surface.isDisplayDue());
}

TEST(KnobValue, OneHundredShowsTheLastPictureAndIsReadBack) {
    KnobScene scene;
    scene.point.setIntValue(100);
    EXPECT_EQ(scene.pictureShown(), 127);
    EXPECT_EQ(scene.point.ReturnValue(), 100);
    EXPECT_TRUE(scene.delegate.calls.empty());
    EXPECT_FLOAT_EQ(scene.point.currentDraggedAngle(), -47.727272f);
}

TEST(KnobPicture, TheValueTimes127HundredthsChoosesThePicture) {
    KnobScene scene;
    const std::pair<int, int> table[] = {{0, 0}, {1, 1}, {4, 5}, {50, 63}, {99, 125}, {100, 127}};
    for (const auto& [value, picture] : table) {
        scene.point.setIntValue(value);
        EXPECT_EQ(scene.pictureShown(), picture) << "value " << value;
    }
}

TEST(KnobPicture, AValueWithoutAPictureShowsNoKnob) {
    KnobScene scene;
    scene.point.setIntValue(200);
    EXPECT_EQ(scene.pictureShown(), -1);
    scene.point.setIntValue(-1);
    EXPECT_EQ(scene.pictureShown(), -1);
}

TEST(KnobPicture, DrawingMarksTheKnobAndItsHolderForTheNextCycle) {
    KnobScene scene;
    scene.settle();
    EXPECT_TRUE(scene.knob->needsDisplay());
    EXPECT_TRUE(scene.root->needsDisplay());
    scene.point.setIntValue(60);
    EXPECT_TRUE(scene.surface.displayIfNeeded());
    EXPECT_TRUE(scene.knob->needsDisplay());
}

TEST(KnobPicture, TheKnobsTransparentCornersShowWhatLiesBeneath) {
    KnobScene scene;
    const ui::headless::Pixel corner =
        scene.surface.pixelAt({KnobScene::kX + 0.5, KnobScene::kY + 0.5});
    EXPECT_EQ(corner,
              (ui::headless::Pixel{test_pictures::kBackgroundRed, test_pictures::kBackgroundGreen,
                                   test_pictures::kBackgroundBlue, 255}));
}

TEST(KnobConstruction, ThePointerViewCoversTheKnobAndStartsAtPosition1) {
    KnobScene scene;
    ASSERT_EQ(scene.knob->subviews().size(), 1u);
    EXPECT_EQ(scene.knob->subviews()[0].get(), &scene.point);
    EXPECT_EQ(scene.point.frame(), (ui::Rect{0, 0, 48, 48}));
    EXPECT_EQ(scene.point.currentAngle(), 85);
    EXPECT_EQ(scene.point.currentDraggedAngle(), 85.0f);
    EXPECT_EQ(scene.point.previousValue(), 50);
    EXPECT_EQ(scene.point.ReturnValue(), 50);
    EXPECT_EQ(scene.point.insets(), 2);
    EXPECT_EQ(scene.point.controlPointDiameter(), 3);
    EXPECT_EQ(scene.point.controlPointColor(), ui::Color::clearColor());
    // The knob's own layer: transparent whatever background was passed, with rounded corners.
    ASSERT_NE(scene.knob->layer(), nullptr);
    EXPECT_EQ(scene.knob->layer()->backgroundColor(), ui::Color::clearColor());
    EXPECT_EQ(scene.knob->layer()->cornerRadius(), 15.0);
}

TEST(KnobConstruction, OtherStartingPositionsRestAtTheLowestStepOrAtZero) {
    KnobPointer lowest({0, 0, 48, 48}, 2, 3, ui::Color::whiteColor(), 0);
    EXPECT_EQ(lowest.currentAngle(), 225);
    EXPECT_EQ(lowest.currentDraggedAngle(), 225.0f);
    EXPECT_EQ(lowest.previousValue(), 0);
    EXPECT_EQ(lowest.ReturnValue(), 0);
    EXPECT_EQ(lowest.controlPointColor(), ui::Color::clearColor());
    KnobPointer other({0, 0, 48, 48}, 2, 3, ui::Color::whiteColor(), 7);
    EXPECT_EQ(other.currentAngle(), 0);
    EXPECT_EQ(other.currentDraggedAngle(), 0.0f);
    EXPECT_EQ(other.ReturnValue(), 0);
}

TEST(KnobConstruction, ThePicturesAreNotDecodedUntilTheKnobIsDrawn) {
    auto frames = knobFrames();
    auto knob = std::make_shared<Knob>(ui::Rect{0, 0, 48, 48}, 2, 3, ui::Color::clearColor(),
                                       ui::Color::clearColor(), ui::Color::clearColor(), frames);
    for (const auto& picture : *frames) EXPECT_FALSE(picture->isDecoded());
}
