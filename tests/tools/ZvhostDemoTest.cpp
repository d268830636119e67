// `zvhost demo`: a newcomer's first sound, with no input file.
#include "DirectHost.h"
#include "RunProgram.h"
#include "TestFiles.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

using zvtest::runZvhost;
using zvtest::TemporaryFolder;

namespace {

std::vector<float> channel(const std::vector<float>& interleaved, std::size_t which) {
    std::vector<float> samples;
    for (std::size_t i = which; i < interleaved.size(); i += 2) samples.push_back(interleaved[i]);
    return samples;
}

bool isPng(const std::string& path, int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
                    cairo_image_surface_get_width(surface) == width &&
                    cairo_image_surface_get_height(surface) == height;
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace

TEST(ZvhostDemo, WritesTheInputTheSlapBackRenderAndAPictureAndSaysWhere) {
    TemporaryFolder folder;
    const auto where = folder.file("demo");
    const auto result = runZvhost({"demo", where});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(zvtest::lines(result.out),
              (std::vector<std::string>{"input    " + where + "/input.wav",
                                        "output   " + where + "/00-SlapBack.wav",
                                        "picture  " + where + "/00-SlapBack.png"}));
    EXPECT_TRUE(isPng(where + "/00-SlapBack.png", 1200, 720));

    const auto input = zvtest::readWav(where + "/input.wav");
    const auto output = zvtest::readWav(where + "/00-SlapBack.wav");
    EXPECT_EQ(input.sampleRate, 48000);
    EXPECT_EQ(input.channels, 2);
    EXPECT_EQ(output.frames(),
              input.frames() + 2 * 48000u);  // two seconds for the echoes to die away

    // The output is the input through program 0, as a host would make it.
    zvtest::DirectSettings slapBack;
    slapBack.program = 0;
    const auto direct =
        zvtest::processDirectly(ZV_PLUGIN_PATH, 48000, 512, channel(input.interleaved, 0),
                                channel(input.interleaved, 1), 2 * 48000, slapBack);
    EXPECT_TRUE(output.interleaved == direct);
}

TEST(ZvhostDemo, EchoesAreHeardInTheSilenceAfterEachNote) {
    TemporaryFolder folder;
    ASSERT_EQ(runZvhost({"demo", folder.file("d")}).exitStatus, 0);
    const auto input = zvtest::readWav(folder.file("d/input.wav"));
    const auto output = zvtest::readWav(folder.file("d/00-SlapBack.wav"));
    // After the last note's 0.3 s, the input is silent; the output is not.
    const auto loudest = [](const std::vector<float>& s, std::size_t from, std::size_t to) {
        float peak = 0.0f;
        for (std::size_t i = from; i < to; ++i) peak = std::max(peak, std::fabs(s[i]));
        return peak;
    };
    const std::size_t from = 2 * static_cast<std::size_t>(2.55 * 48000),
                      to = 2 * static_cast<std::size_t>(2.9 * 48000);
    EXPECT_EQ(loudest(input.interleaved, from, to), 0.0f);
    EXPECT_GT(loudest(output.interleaved, from, to), 0.01f);
}

TEST(ZvhostDemo, RendersTheProgramAskedFor) {
    TemporaryFolder folder;
    const auto result = runZvhost({"demo", folder.file("d"), "--program", "Repeat After Me"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"d"});
    const auto files = zvtest::TemporaryFolder::entriesOf(folder.file("d"));
    EXPECT_EQ(files, (std::vector<std::string>{"20-Repeat-After-Me.png", "20-Repeat-After-Me.wav",
                                               "input.wav"}));
}

TEST(ZvhostDemo, WithAllRendersEveryProgram) {
    TemporaryFolder folder;
    const auto result = runZvhost({"demo", folder.file("d"), "--all"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const auto files = zvtest::TemporaryFolder::entriesOf(folder.file("d"));
    EXPECT_EQ(files.size(), 1u + 2u * 26u);
    EXPECT_NE(std::find(files.begin(), files.end(), "00-SlapBack.wav"), files.end());
    EXPECT_NE(std::find(files.begin(), files.end(), "25-Punk.png"), files.end());
    EXPECT_EQ(zvtest::lines(result.out).size(), 1u + 2u * 26u);
}
