// The LV2 plug-in in a real host: Ardour 7, driven headless by the realhost scripts, finds the
// bundle on LV2_PATH, sets the nine controls by their names to a preset's values and renders a
// file; lv2apply renders the same file with the same values. Ardour's export pre-roll runs
// silence through the plug-in first, which leaves its filters a constant offset of a few 1e-9
// (tests/tools/ardour/ArdourRoundTrip.cpp says why), so the two agree within 1e-6, eight units in
// the last place at full scale; a wrong control, port or channel is above 1e-3.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "BundleWorld.h"
#include "RunProgram.h"
#include "TestFiles.h"

namespace {

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

}  // namespace

TEST(ArdourWithTheLv2Plugin, RendersWhatLv2applyRendersWithinRounding) {
    BundleWorld bundle;
    const auto presets = bundle.presets();
    ASSERT_FALSE(presets.empty());
    const BundlePreset& slapBack = presets.front();
    zvtest::TemporaryFolder folder;
    const int rate = 48000;
    zvtest::writeWav(folder.file("in.wav"), rate, 2, zvtest::testSignal(rate, 2.0));

    std::vector<std::string> ardour{"/bin/bash",
                                    ZV_REALHOST_DIR "/render.sh",
                                    ZV_LV2_BUNDLE_DIR,
                                    folder.file("in.wav"),
                                    folder.file("ardour.wav"),
                                    "--rate",
                                    "48000",
                                    "--block",
                                    "512",
                                    "--tail",
                                    "0"};
    const auto applied = lv2applyArguments(slapBack, folder.file("in.wav"), folder.file("lv2.wav"));
    for (const ParameterRow& row : kParameterTable) {
        // lv2apply's "-c symbol value" triples give the values as exact decimals.
        const auto at = std::find(applied.begin(), applied.end(), std::string(row.symbol));
        ardour.insert(ardour.end(), {"--param", std::string(row.name) + "=" + *(at + 1)});
    }
    const auto fromArdour = zvtest::runProgram(ardour);
    ASSERT_EQ(fromArdour.exitStatus, 0) << fromArdour.err;

    std::filesystem::create_directory(folder.file("lv2"));
    std::filesystem::create_directory_symlink(ZV_LV2_BUNDLE_DIR, folder.file("lv2/ZvDelay32.lv2"));
    auto command = applied;
    command.insert(command.begin(), {"/usr/bin/env", "LV2_PATH=" + folder.file("lv2")});
    const auto fromLv2apply = zvtest::runProgram(command);
    ASSERT_EQ(fromLv2apply.exitStatus, 0) << fromLv2apply.err;

    const auto inArdour = zvtest::readWav(folder.file("ardour.wav"));
    const auto inLv2apply = zvtest::readWav(folder.file("lv2.wav"));
    const auto dry = zvtest::readWav(folder.file("in.wav"));
    ASSERT_EQ(inArdour.frames(), inLv2apply.frames());
    double largest = 0.0, echo = 0.0;
    for (std::size_t i = 0; i < inLv2apply.interleaved.size(); ++i) {
        largest = std::max(largest, std::fabs(static_cast<double>(inArdour.interleaved[i]) -
                                              inLv2apply.interleaved[i]));
        echo = std::max(
            echo, std::fabs(static_cast<double>(inLv2apply.interleaved[i]) - dry.interleaved[i]));
    }
    std::cout << "largest difference " << largest << "; loudest echo " << echo << "\n";
    EXPECT_LE(largest, 1e-6);
    EXPECT_GT(echo, 0.1) << "the effect added no echo, so the comparison proves nothing";
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (const char* tool : {"ardour7-lua", "sox", "lv2apply"}) {
        if (!onPath(tool)) {
            std::cout << "SKIPPED: " << tool << " is not installed (scripts/test.sh installs it)\n";
            return 77;
        }
    }
    return RUN_ALL_TESTS();
}
