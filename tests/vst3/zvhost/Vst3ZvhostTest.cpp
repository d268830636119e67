// zvhost takes the VST 3 bundle wherever it takes the VST 2 plug-in: its listing shows the same
// parameters, texts and programs, its render the same samples, and its editor opens.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "RunProgram.h"
#include "TestFiles.h"

namespace {

// The listing from its "unique ID" row on (the VST 2 plug-in names a product of its own).
std::string fromUniqueId(const std::string& listing) {
    const auto at = listing.find("unique ID");
    return at == std::string::npos ? std::string() : listing.substr(at);
}

}  // namespace

TEST(ZvhostWithTheVst3Bundle, ListsAndRendersAsWithTheVst2Plugin) {
    const auto vst3 = zvtest::runZvhost({"list", "--plugin", ZV_VST3_BUNDLE});
    ASSERT_EQ(vst3.exitStatus, 0) << vst3.err;
    const auto vst2 = zvtest::runZvhost({"list", "--plugin", ZV_PLUGIN_PATH});
    ASSERT_EQ(vst2.exitStatus, 0) << vst2.err;
    EXPECT_FALSE(fromUniqueId(vst3.out).empty());
    EXPECT_EQ(fromUniqueId(vst3.out), fromUniqueId(vst2.out));

    zvtest::TemporaryFolder folder;
    zvtest::writeWav(folder.file("in.wav"), 44100, 2, zvtest::testSignal(44100, 1.0));
    for (const auto& [plugin, out] : {std::pair{std::string(ZV_VST3_BUNDLE), "vst3.wav"},
                                      std::pair{std::string(ZV_PLUGIN_PATH), "vst2.wav"}}) {
        const auto render = zvtest::runZvhost(
            {"render", folder.file("in.wav"), folder.file(out), "--program", "Stadium", "--set",
             "Delay=0.27", "--block", "333", "--tail", "1", "--plugin", plugin});
        ASSERT_EQ(render.exitStatus, 0) << render.err;
    }
    const auto fromVst3 = zvtest::readWav(folder.file("vst3.wav"));
    const auto fromVst2 = zvtest::readWav(folder.file("vst2.wav"));
    ASSERT_EQ(fromVst3.interleaved.size(), fromVst2.interleaved.size());
    EXPECT_EQ(std::memcmp(fromVst3.interleaved.data(), fromVst2.interleaved.data(),
                          fromVst2.interleaved.size() * sizeof(float)),
              0);
}

TEST(ZvhostWithTheVst3Bundle, OpensItsEditorAndPicturesIt) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    zvtest::TemporaryFolder folder;
    const auto shown = zvtest::runZvhost(
        {"editor", ZV_VST3_BUNDLE, "--close-after", "0.5", "--png", folder.file("editor.png")});
    ASSERT_EQ(shown.exitStatus, 0) << shown.err;
    EXPECT_TRUE(std::filesystem::exists(folder.file("editor.png")));
}
