#include "DecodedPicture.h"
#include "EmbeddedResources.h"
#include "KnobGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<DecodedPicture> decode(const std::string& name) {
    const EmbeddedResource* resource = findEmbeddedResource(name, "png");
    if (resource == nullptr) return nullptr;
    return std::make_unique<DecodedPicture>(*resource);
}

std::string knobFrameName(int frame) { return "fxknob" + std::to_string(frame); }

struct ExpectedPicture {
    std::string name;
    int width;
    int height;
};

std::vector<ExpectedPicture> picturesTheEditorLoads() {
    std::vector<ExpectedPicture> pictures{
        {"delaybackground", 344, 400}, {"switchoff", 15, 16}, {"switchon", 15, 16}};
    for (int frame = 0; frame < 128; ++frame) pictures.push_back({knobFrameName(frame), 48, 48});
    // The same set drawn for high-density screens, at twice the pixels.
    const std::size_t ordinary = pictures.size();
    for (std::size_t i = 0; i < ordinary; ++i) {
        pictures.push_back(
            {pictures[i].name + "@2x", 2 * pictures[i].width, 2 * pictures[i].height});
    }
    return pictures;
}

int brightness(const DecodedPicture::Pixel& pixel) {
    return (pixel.red + pixel.green + pixel.blue) / 3;
}

// The pixel under a point at a radius and an angle (degrees, counter-clockwise, y up) from the
// centre of a knob frame.
DecodedPicture::Pixel knobPixel(const DecodedPicture& frame, double radius, double angle) {
    const double radians = angle * 3.14159265358979323846 / 180.0;
    const int x = static_cast<int>(std::floor(knob::center + radius * std::cos(radians)));
    const int y = static_cast<int>(std::floor(knob::center - radius * std::sin(radians)));
    return frame.at(x, y);
}

bool lookslit(const DecodedPicture::Pixel& pixel) {
    return pixel.red > 180 && pixel.red - pixel.blue > 100;
}

TEST(EditorPictures, EveryPictureTheEditorLoadsIsEmbeddedAndDecodesAtItsSize) {
    for (const ExpectedPicture& expected : picturesTheEditorLoads()) {
        const auto picture = decode(expected.name);
        ASSERT_NE(picture, nullptr) << expected.name;
        ASSERT_TRUE(picture->valid()) << expected.name;
        EXPECT_TRUE(picture->allBytesRead()) << expected.name << " has bytes after its end";
        EXPECT_EQ(picture->width(), expected.width) << expected.name;
        EXPECT_EQ(picture->height(), expected.height) << expected.name;
    }
}

// It is copied over whatever lies beneath: a transparent pixel would punch a hole in the editor.
TEST(EditorPictures, TheBackgroundIsOpaqueEverywhere) {
    const auto background = decode("delaybackground");
    ASSERT_NE(background, nullptr);
    for (int y = 0; y < background->height(); ++y) {
        for (int x = 0; x < background->width(); ++x) {
            ASSERT_EQ(background->at(x, y).alpha, 255) << x << ", " << y;
        }
    }
}

TEST(EditorPictures, KnobFramesLetThePanelShowInTheirCorners) {
    for (int frame = 0; frame < knob::frameCount; ++frame) {
        const auto picture = decode(knobFrameName(frame));
        ASSERT_NE(picture, nullptr);
        for (auto [x, y] :
             {std::pair{0, 0}, std::pair{47, 0}, std::pair{0, 47}, std::pair{47, 47}}) {
            EXPECT_EQ(picture->at(x, y).alpha, 0)
                << knobFrameName(frame) << " at " << x << ", " << y;
        }
    }
}

TEST(EditorPictures, EachKnobFrameDiffersFromTheOneBefore) {
    for (int frame = 1; frame < knob::frameCount; ++frame) {
        const EmbeddedResource* before = findEmbeddedResource(knobFrameName(frame - 1), "png");
        const EmbeddedResource* after = findEmbeddedResource(knobFrameName(frame), "png");
        ASSERT_NE(before, nullptr);
        ASSERT_NE(after, nullptr);
        const bool same = before->size == after->size &&
                          std::memcmp(before->bytes, after->bytes, before->size) == 0;
        EXPECT_FALSE(same) << knobFrameName(frame) << " repeats the frame before it";
    }
}

// Frame k shows the knob at 225 - 270 k / 127 degrees: frame 0 at the lower left, frame 127 at
// the lower right, turning clockwise.
TEST(EditorPictures, ThePointerOfEveryKnobFrameAimsAtItsAngle) {
    const double along = (knob::pointerInnerRadius + knob::pointerOuterRadius) / 2.0;
    for (int frame = 0; frame < knob::frameCount; ++frame) {
        const auto picture = decode(knobFrameName(frame));
        ASSERT_NE(picture, nullptr);
        const double angle = knob::frameAngle(frame);
        EXPECT_GT(brightness(knobPixel(*picture, along, angle)), 170) << knobFrameName(frame);
        for (double away : {90.0, 180.0, 270.0}) {
            EXPECT_LT(brightness(knobPixel(*picture, along, angle + away)), 110)
                << knobFrameName(frame) << " lit " << away << " degrees off its angle";
        }
    }
}

TEST(EditorPictures, TheValueArcRunsFromTheMinimumToTheFramesAngle) {
    for (int frame = 0; frame < knob::frameCount; ++frame) {
        const auto picture = decode(knobFrameName(frame));
        ASSERT_NE(picture, nullptr);
        const double angle = knob::frameAngle(frame);
        for (double sample = 222.0; sample > -45.0; sample -= 6.0) {
            const bool lit = lookslit(knobPixel(*picture, knob::arcRadius, sample));
            if (sample > angle + 3.0) {
                EXPECT_TRUE(lit) << knobFrameName(frame) << " dark at " << sample << " degrees";
            } else if (sample < angle - 3.0) {
                EXPECT_FALSE(lit) << knobFrameName(frame) << " lit at " << sample << " degrees";
            }
        }
    }
}

TEST(EditorPictures, TheSwitchIsLitOnlyWhenOn) {
    const auto off = decode("switchoff");
    const auto on = decode("switchon");
    ASSERT_NE(off, nullptr);
    ASSERT_NE(on, nullptr);
    const int x = off->width() / 2;
    const int y = off->height() / 2;
    EXPECT_TRUE(lookslit(on->at(x, y)));
    EXPECT_FALSE(lookslit(off->at(x, y)));
    EXPECT_GT(brightness(on->at(x, y)), brightness(off->at(x, y)) + 80);
}

}  // namespace
