#include "HostError.h"
#include "WaveformPicture.h"

#include "TestFiles.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace zvhost;

namespace {

struct Picture {
    int width = 0, height = 0;
    bool blueIn(int fromRow, int toRow) const { return find(fromRow, toRow, true); }
    bool orangeIn(int fromRow, int toRow) const { return find(fromRow, toRow, false); }

    cairo_surface_t* surface = nullptr;
    ~Picture() {
        if (surface != nullptr) cairo_surface_destroy(surface);
    }

private:
    bool find(int fromRow, int toRow, bool blue) const {
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = fromRow; y < toRow; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint32_t pixel;
                std::memcpy(&pixel, data + y * stride + x * 4, 4);
                const unsigned r = (pixel >> 16) & 0xFFu, b = pixel & 0xFFu;
                if (blue ? (b > 150 && r < 80) : (r > 200 && b < 40)) return true;
            }
        return false;
    }
};

void load(Picture& picture, const std::string& path) {
    picture.surface = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(picture.surface), CAIRO_STATUS_SUCCESS);
    cairo_surface_flush(picture.surface);
    picture.width = cairo_image_surface_get_width(picture.surface);
    picture.height = cairo_image_surface_get_height(picture.surface);
}

Audio burst(std::size_t frames, bool left, bool right) {
    Audio audio;
    audio.sampleRate = 1000;
    audio.left.assign(frames, 0.0f);
    audio.right.assign(frames, 0.0f);
    for (std::size_t i = frames / 4; i < frames / 2; ++i) {
        if (left) audio.left[i] = (i % 2 == 0) ? 0.9f : -0.9f;
        if (right) audio.right[i] = (i % 2 == 0) ? 0.9f : -0.9f;
    }
    return audio;
}

}  // namespace

TEST(WaveformPicture, DrawsEachChannelInItsOwnLaneInputsBlueOutputsOrange) {
    zvtest::TemporaryFolder folder;
    // Sound only in input left and output right: the other two lanes show just their zero line.
    drawWaveformPicture(burst(4000, true, false), burst(6000, false, true), "title",
                        folder.file("p.png"));
    Picture picture;
    load(picture, folder.file("p.png"));
    ASSERT_EQ(picture.width, kPictureWidth);
    ASSERT_EQ(picture.height, kPictureHeight);

    // Four lanes between a 40-pixel title and a 30-pixel time axis, 10 pixels apart. Only rows
    // well above each lane's zero line are looked at.
    const int lane = (kPictureHeight - 40 - 30 - 3 * 10) / 4;
    const auto upperHalf = [&](int n) {
        return std::pair{40 + n * (lane + 10) + 2, 40 + n * (lane + 10) + lane / 2 - 3};
    };
    EXPECT_TRUE(picture.blueIn(upperHalf(0).first, upperHalf(0).second));
    EXPECT_FALSE(picture.blueIn(upperHalf(1).first, upperHalf(1).second));
    EXPECT_FALSE(picture.orangeIn(upperHalf(2).first, upperHalf(2).second));
    EXPECT_TRUE(picture.orangeIn(upperHalf(3).first, upperHalf(3).second));
    EXPECT_FALSE(picture.orangeIn(upperHalf(0).first, upperHalf(1).second));
}

TEST(WaveformPicture, AnUnwritablePathIsAnOutputError) {
    const Audio audio = burst(100, true, true);
    try {
        drawWaveformPicture(audio, audio, "t", "/nonexistent-folder/p.png");
        FAIL() << "no error";
    } catch (const HostError& error) {
        EXPECT_EQ(error.status(), ExitStatus::output);
    }
}
