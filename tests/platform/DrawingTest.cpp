#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <cstdlib>

#include "RecordingView.h"
#include "ShapesView.h"
#include "TestPictures.h"
#include "headless/HeadlessSurface.h"

using ui::CompositingOperation;
using ui::headless::HeadlessSurface;
using ui::headless::Pixel;

namespace {
std::shared_ptr<ui::Image> picture(const char* name) {
    return std::make_shared<ui::Image>(name, "png");
}

void expectNear(Pixel actual, Pixel expected, int tolerance = 2) {
    EXPECT_LE(std::abs(actual.red - expected.red), tolerance)
        << actual.red << " vs " << expected.red;
    EXPECT_LE(std::abs(actual.green - expected.green), tolerance)
        << actual.green << " vs " << expected.green;
    EXPECT_LE(std::abs(actual.blue - expected.blue), tolerance)
        << actual.blue << " vs " << expected.blue;
    EXPECT_LE(std::abs(actual.alpha - expected.alpha), tolerance)
        << actual.alpha << " vs " << expected.alpha;
}

const Pixel kBackground{test_pictures::kBackgroundRed, test_pictures::kBackgroundGreen,
                        test_pictures::kBackgroundBlue, 255};

// An opaque backdrop with one view over it drawing "half-red".
struct HalfRedOverBackdrop {
    std::shared_ptr<RecordingView> root = makeView(0, 0, 40, 40);
    std::shared_ptr<RecordingView> top = makeView(10, 10, 20, 20);
    HalfRedOverBackdrop(CompositingOperation operation, bool layered) {
        root->picture = picture("delaybackground");
        top->picture = picture("half-red");
        top->operation = operation;
        if (layered) top->setDrawsInOwnLayer(true);
        root->addSubview(top);
    }
};
}  // namespace

TEST(Drawing, PicturesStandUprightInViewsWhoseYAxisPointsUp) {
    auto view = makeView(0, 0, 20, 20);
    view->picture = picture("top-blue");
    HeadlessSurface surface(view);
    surface.displayAll();
    EXPECT_EQ(surface.pixelAt({5, 19.5}), (Pixel{0, 0, 255, 255}));
    EXPECT_EQ(surface.pixelAt({5, 0.5}), (Pixel{255, 0, 0, 255}));
    // Row 0 of the surface is the top of the view.
    EXPECT_EQ(surface.pixelAtPixel(5, 0), (Pixel{0, 0, 255, 255}));
}

TEST(Drawing, APictureIsScaledIntoItsRectangleAndNothingSpillsOut) {
    auto view = makeView(0, 0, 40, 40);
    view->picture = picture("top-blue");
    view->pictureRect = ui::Rect{10, 10, 8, 8};
    HeadlessSurface surface(view);
    surface.displayAll();
    EXPECT_EQ(surface.pixelAt({10.5, 17.5}), (Pixel{0, 0, 255, 255}));
    EXPECT_EQ(surface.pixelAt({17.5, 10.5}), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(surface.pixelAt({9.5, 12}).alpha, 0);
    EXPECT_EQ(surface.pixelAt({18.5, 12}).alpha, 0);
    EXPECT_EQ(surface.pixelAt({12, 18.5}).alpha, 0);
}

TEST(Drawing, AViewDrawsOnlyInsideItsBounds) {
    auto root = makeView(0, 0, 40, 40);
    auto child = makeView(10, 10, 10, 10);
    child->picture = picture("top-blue");
    child->pictureRect = ui::Rect{-10, -10, 30, 30};
    root->addSubview(child);
    HeadlessSurface surface(root);
    surface.displayAll();
    EXPECT_EQ(surface.pixelAt({15, 15}).alpha, 255);
    EXPECT_EQ(surface.pixelAt({5, 5}).alpha, 0);
    EXPECT_EQ(surface.pixelAt({25, 25}).alpha, 0);
}

TEST(Drawing, CopyReplacesThePixelsBeneathTransparencyIncluded) {
    HalfRedOverBackdrop scene(CompositingOperation::Copy, false);
    HeadlessSurface surface(scene.root);
    surface.displayAll();
    expectNear(surface.pixelAt({20, 20}), {255, 0, 0, 128});
    EXPECT_EQ(surface.pixelAt({5, 5}), kBackground);
}

TEST(Drawing, SourceOverBlendsThePictureOverThePixelsBeneath) {
    HalfRedOverBackdrop scene(CompositingOperation::SourceOver, false);
    HeadlessSurface surface(scene.root);
    surface.displayAll();
    const double a = 128.0 / 255.0;
    expectNear(surface.pixelAt({20, 20}),
               {static_cast<int>(255 * a + kBackground.red * (1 - a) + 0.5),
                static_cast<int>(kBackground.green * (1 - a) + 0.5),
                static_cast<int>(kBackground.blue * (1 - a) + 0.5), 255});
}

TEST(Drawing, InALayerOfItsOwnEvenCopyOnlyReplacesTheViewsOwnPixels) {
    HalfRedOverBackdrop copied(CompositingOperation::Copy, true);
    HalfRedOverBackdrop blended(CompositingOperation::SourceOver, false);
    HeadlessSurface copiedSurface(copied.root), blendedSurface(blended.root);
    copiedSurface.displayAll();
    blendedSurface.displayAll();
    EXPECT_EQ(copiedSurface.pixelAt({20, 20}), blendedSurface.pixelAt({20, 20}));
}

TEST(Drawing, AFractionBelowOneDrawsThePictureTranslucent) {
    auto view = makeView(0, 0, 10, 10);
    view->picture = picture("top-blue");
    view->fraction = 0.5;
    HeadlessSurface surface(view);
    surface.displayAll();
    expectNear(surface.pixelAt({5, 9.5}), {0, 0, 255, 128});
}

TEST(Drawing, MissingAndBrokenPicturesDrawNothing) {
    auto root = makeView(0, 0, 20, 20);
    auto missing = makeView(0, 0, 10, 20), broken = makeView(10, 0, 10, 20);
    missing->picture = picture("no-such-picture");
    broken->picture = picture("broken");
    root->addSubview(missing);
    root->addSubview(broken);
    HeadlessSurface surface(root);
    surface.displayAll();
    EXPECT_EQ(surface.pixelAt({5, 5}).alpha, 0);
    EXPECT_EQ(surface.pixelAt({15, 5}).alpha, 0);
    EXPECT_FALSE(missing->picture->exists());
    EXPECT_TRUE(broken->picture->exists());
    EXPECT_FALSE(broken->picture->isDecoded());
}

TEST(Drawing, OutsideADisplayCycleDrawingAPictureDoesNothing) {
    auto image = picture("top-blue");
    image->drawInRect({0, 0, 10, 10}, {}, CompositingOperation::Copy, 1.0);
    EXPECT_FALSE(image->isDecoded());
}

TEST(Drawing, RectanglesEllipsesPolygonsAndLinesFillWhatTheyCoverAndNothingBeside) {
    for (double scale : {1.0, 1.5}) {
        SCOPED_TRACE(scale);
        HeadlessSurface surface(std::make_shared<ShapesView>(), scale);
        surface.displayAll();
        for (const ShapesView::Sample& sample : ShapesView::kSamples) {
            SCOPED_TRACE(testing::Message() << sample.at.x << ", " << sample.at.y);
            const ui::Color c = sample.expected;
            expectNear(surface.pixelAt(sample.at),
                       Pixel{static_cast<int>(c.red * 255), static_cast<int>(c.green * 255),
                             static_cast<int>(c.blue * 255), static_cast<int>(c.alpha * 255)},
                       1);
        }
    }
}

TEST(Pictures, AreFoundByNameAndTypeWithAnEmptyTypeTakingAny) {
    EXPECT_TRUE(ui::Image("switchon").exists());
    EXPECT_TRUE(ui::Image("switchon", "png").exists());
    EXPECT_FALSE(ui::Image("switchon", "tiff").exists());
    EXPECT_EQ(ui::Image("fxknob127", "png").size(), (ui::Size{48, 48}));
}

TEST(Pictures, AreDecodedWhenFirstDrawnNotWhenReferenced) {
    test_pictures::resetLookups();
    auto root = makeView(0, 0, 48, 48);
    auto frames = std::make_shared<ui::ImageList>();
    for (int k = 0; k < 128; ++k)
        frames->push_back(picture(("fxknob" + std::to_string(k)).c_str()));
    root->picture = (*frames)[7];
    HeadlessSurface surface(root);
    EXPECT_EQ(test_pictures::lookups(), 0);
    EXPECT_FALSE((*frames)[7]->isDecoded());

    surface.displayAll();
    surface.displayAll();
    EXPECT_TRUE((*frames)[7]->isDecoded());
    EXPECT_FALSE((*frames)[8]->isDecoded());
    EXPECT_EQ(test_pictures::lookups(), 1);
}

TEST(Pictures, ABrokenPictureIsLookedUpOnce) {
    test_pictures::resetLookups();
    auto view = makeView(0, 0, 10, 10);
    view->picture = picture("broken");
    HeadlessSurface surface(view);
    surface.displayAll();
    surface.displayAll();
    EXPECT_EQ(test_pictures::lookups(), 1);
}

TEST(Pictures, TheDrawnSurfaceCanBeSavedAsAPng) {
    auto view = makeView(0, 0, 48, 48);
    view->picture = picture("fxknob64");
    HeadlessSurface surface(view);
    surface.displayAll();
    const std::string path = ::testing::TempDir() + "zv_knob_frame.png";
    ASSERT_TRUE(surface.savePng(path));
    cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
    EXPECT_EQ(cairo_surface_status(read), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(read), 48);
    EXPECT_EQ(cairo_image_surface_get_height(read), 48);
    cairo_surface_destroy(read);
    std::remove(path.c_str());
    EXPECT_FALSE(surface.savePng("/nonexistent-folder/picture.png"));
}
