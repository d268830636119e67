#include <gtest/gtest.h>

#include "RecordingView.h"
#include "headless/HeadlessSurface.h"

using ui::headless::HeadlessSurface;

namespace {
struct Scene {
    std::shared_ptr<RecordingView> root = makeView(0, 0, 200, 200);
    std::shared_ptr<RecordingView> lower = makeView(10, 10, 50, 50);
    std::shared_ptr<RecordingView> upper = makeView(40, 40, 50, 50);  // overlaps lower
    std::shared_ptr<RecordingView> far = makeView(150, 150, 20, 20);
    Scene() {
        root->addSubview(lower);
        root->addSubview(upper);
        root->addSubview(far);
    }
    void resetCounts() { root->draws = lower->draws = upper->draws = far->draws = 0; }
};
}  // namespace

TEST(DisplayCycle, ANewSurfaceDrawsTheWholeTreeOnceThenWaits) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    EXPECT_TRUE(surface.isDisplayDue());
    EXPECT_TRUE(surface.redrawIfNeeded());
    EXPECT_EQ(scene.far->draws, 1);
    EXPECT_FALSE(surface.isDisplayDue());
    EXPECT_FALSE(surface.redrawIfNeeded());
    EXPECT_EQ(surface.displayCount(), 1);
}

TEST(DisplayCycle, AMarkedViewIsDrawnAgainWithWhatLiesUnderAndOverIt) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    surface.displayAll();
    scene.resetCounts();
    scene.lower->setNeedsRedraw(true);
    EXPECT_TRUE(surface.isDisplayDue());
    EXPECT_TRUE(surface.redrawIfNeeded());
    EXPECT_EQ(scene.root->draws, 1);
    EXPECT_EQ(scene.lower->draws, 1);
    EXPECT_EQ(scene.upper->draws, 1);
    EXPECT_EQ(scene.far->draws, 0);
    EXPECT_EQ(scene.root->lastDirtyRect, (ui::Rect{10, 10, 50, 50}));
    EXPECT_EQ(scene.upper->lastDirtyRect, (ui::Rect{0, 0, 20, 20}));
    EXPECT_FALSE(scene.lower->needsRedraw());
}

TEST(DisplayCycle, AMarkMadeWhileDrawingWaitsForTheNextCycleWithoutStartingOne) {
    Scene scene;
    scene.lower->markWhileDrawing = {scene.lower.get(), scene.root.get()};
    HeadlessSurface surface(scene.root);
    surface.displayAll();
    EXPECT_TRUE(scene.lower->needsRedraw());
    EXPECT_TRUE(scene.root->needsRedraw());
    EXPECT_FALSE(surface.isDisplayDue());
    EXPECT_FALSE(surface.redrawIfNeeded());

    scene.resetCounts();
    scene.far->setNeedsRedraw(true);
    EXPECT_TRUE(surface.redrawIfNeeded());
    EXPECT_EQ(scene.lower->draws, 1);  // its own mark joined the cycle the far view started
    EXPECT_EQ(scene.far->draws, 1);
}

TEST(DisplayCycle, RemovingAViewRedrawsTheAreaItLeaves) {
    Scene scene;
    HeadlessSurface surface(scene.root);
    surface.displayAll();
    scene.resetCounts();
    scene.far->removeFromSuperview();
    EXPECT_TRUE(surface.redrawIfNeeded());
    EXPECT_EQ(scene.root->draws, 1);
}

TEST(DisplayCycle, ViewsOutsideAnySurfaceOnlyKeepTheirMark) {
    auto loose = makeView(0, 0, 10, 10);
    loose->setNeedsRedraw(false);
    loose->setNeedsRedraw(true);
    EXPECT_TRUE(loose->needsRedraw());
    EXPECT_EQ(loose->draws, 0);
}
