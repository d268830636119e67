// The plug-in in a real host. Ardour 7, driven headless by the realhost scripts, lists the plug-in
// and renders a file through it; zvhost renders the same file with the same program, rate and
// block size, and the two must agree sample for sample.
//
// Why they cannot agree bit for bit, and how far apart they may be: Ardour plays 2 s of silence
// through the plug-in before the first input sample (the export pre-roll). On silence the delay
// lines stay zero, so the echoes themselves are unaffected, but the write position moves and the
// filters, which add a constant of about 2.3e-10 on every sample to keep their poles out of the
// denormal range, settle to a small constant offset (below 3e-9 at 48 kHz with the 600 Hz stage,
// about 4e-9 once fed back). zvhost starts with cleared filters. "SlapBack" has no pan
// modulation, so the write position cannot matter either; what is left is that offset and the
// rounding of the float samples it shifts: one unit in the last place at full scale is 1.2e-7.
// kTolerance, 1e-6 (-120 dBFS), is eight such units and far below anything audible; a real
// difference (a lost sample, a wrong program, swapped channels, another rate) is above 1e-3.
#include "RunProgram.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace {

constexpr double kTolerance = 1e-6;
const std::string kScripts = ZV_REALHOST_DIR;

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    return false;
}

zvtest::ProgramResult script(const std::string& name, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"/bin/bash", kScripts + "/" + name});
    return zvtest::runProgram(arguments);
}

// key<TAB>rest lines of the realhost scripts.
std::vector<std::vector<std::string>> records(const std::string& text, const std::string& key) {
    std::vector<std::vector<std::string>> found;
    for (const auto& line : zvtest::lines(text)) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
        if (!fields.empty() && fields[0] == key) found.push_back(fields);
    }
    return found;
}

}  // namespace

TEST(Ardour, SeesTheNineParametersAndTheTwentySixPrograms) {
    const auto result = script("list.sh", {ZV_PLUGIN_PATH, "--rate", "48000", "--block", "512"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(records(result.out, "name").at(0).at(1), "ZvDelay32");
    EXPECT_EQ(records(result.out, "maker").at(0).at(1), "Zelvano Music");
    EXPECT_EQ(records(result.out, "unique_id").at(0).at(1), std::to_string(0x5A764438));  // "ZvD8"
    EXPECT_EQ(records(result.out, "audio_io").at(0).at(1), "2 in, 2 out");

    const std::vector<std::string> parameterNames = {"Delay",      "FeedBack",     "lowPass",
                                                     "highPass",   "lowPass Type", "highPass Type",
                                                     "Left/Right", "Pan Depth",    "MIX"};
    const auto parameters = records(result.out, "param");
    ASSERT_EQ(parameters.size(), parameterNames.size()) << result.out;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        EXPECT_EQ(parameters[i].at(1), std::to_string(i));
        EXPECT_EQ(parameters[i].at(2), parameterNames[i]);
    }

    const std::vector<std::string> programNames = {"SlapBack",
                                                   "Doubler",
                                                   "Country SlapBack",
                                                   "Just A Touch",
                                                   "Double Echo",
                                                   "Canyon",
                                                   "RattleSnake",
                                                   "CloudFishing",
                                                   "Small Echo",
                                                   "Bubbly",
                                                   "Stadium",
                                                   "Spacey",
                                                   "Stoned",
                                                   "SlowHand Blues",
                                                   "Walking Shadow",
                                                   "Sliterhing",
                                                   "Thick",
                                                   "Thick2",
                                                   "Clicky",
                                                   "Whisky Brawl",
                                                   "Repeat After Me",
                                                   "Slinky",
                                                   "RanchHand",
                                                   "Bright",
                                                   "Glassy",
                                                   "Punk"};
    const auto programs = records(result.out, "program");
    ASSERT_EQ(programs.size(), programNames.size()) << result.out;
    for (std::size_t i = 0; i < programs.size(); ++i)  // Ardour shows them as "N - name"
        EXPECT_EQ(programs[i].at(2), std::to_string(i) + " - " + programNames[i]);
}

TEST(Ardour, RendersWhatZvhostRendersWithinRounding) {
    zvtest::TemporaryFolder folder;
    const int rate = 48000;
    zvtest::writeWav(folder.file("in.wav"), rate, 2, zvtest::testSignal(rate, 2.0));
    const std::string input = folder.file("in.wav");

    const auto ardour =
        script("render.sh", {ZV_PLUGIN_PATH, input, folder.file("ardour.wav"), "--rate", "48000",
                             "--block", "512", "--tail", "1", "--program", "SlapBack"});
    ASSERT_EQ(ardour.exitStatus, 0) << ardour.err;
    const auto zvhost =
        zvtest::runZvhost({"render", input, folder.file("zvhost.wav"), "--program", "SlapBack",
                           "--block", "512", "--tail", "1", "--plugin", ZV_PLUGIN_PATH});
    ASSERT_EQ(zvhost.exitStatus, 0) << zvhost.err;

    const auto fromArdour = zvtest::readWav(folder.file("ardour.wav"));
    const auto fromZvhost = zvtest::readWav(folder.file("zvhost.wav"));
    const auto dry = zvtest::readWav(input);
    ASSERT_EQ(fromArdour.sampleRate, rate);
    ASSERT_EQ(fromArdour.channels, 2);
    ASSERT_EQ(fromArdour.frames(), fromZvhost.frames());

    double largest = 0.0, echo = 0.0;
    std::size_t at = 0;
    for (std::size_t i = 0; i < fromZvhost.interleaved.size(); ++i) {
        const double difference =
            std::fabs(static_cast<double>(fromArdour.interleaved[i]) - fromZvhost.interleaved[i]);
        if (difference > largest) largest = difference, at = i;
        const float drySample = i < dry.interleaved.size() ? dry.interleaved[i] : 0.0f;
        echo =
            std::max(echo, std::fabs(static_cast<double>(fromZvhost.interleaved[i]) - drySample));
    }
    std::cout << "largest difference " << largest << " at frame " << at / 2 << " channel " << at % 2
              << "; loudest echo " << echo << "\n";
    EXPECT_LE(largest, kTolerance) << "at frame " << at / 2 << ", channel " << at % 2;
    EXPECT_GT(echo, 0.1) << "the effect added no echo, so the comparison proves nothing";
}

// The harness itself, with no plug-in: the source feeds the sink through an empty bus, and what
// comes out must be what went in, bit for bit. render.sh carries the audio through sox, which
// holds samples as 32-bit integers, so a float below 2^-8 would come back rounded to a multiple
// of 2^-31 and -0 as +0; the input is therefore put on the grid of 24-bit PCM (multiples of
// 2^-23, as a 24-bit file has) with no negative zero, where every step is exact. Anything Ardour
// did to the samples (a gain, a lost or repeated block, a shift by the pre-roll, swapped channels)
// would show as a difference.
class ArdourHarness : public testing::TestWithParam<bool> {};

TEST_P(ArdourHarness, GivesBackTheInputBitForBitThroughAnEmptyBus) {
    const bool realtime = GetParam();
    zvtest::TemporaryFolder folder;
    const int rate = 48000;
    auto signal = zvtest::testSignal(rate, 2.0);
    for (float& sample : signal) sample = std::round(sample * 8388608.0f) / 8388608.0f + 0.0f;
    zvtest::writeWav(folder.file("in.wav"), rate, 2, signal);

    std::vector<std::string> arguments = {"none",
                                          folder.file("in.wav"),
                                          folder.file("out.wav"),
                                          "--rate",
                                          "48000",
                                          "--block",
                                          "512",
                                          "--tail",
                                          "0"};
    if (realtime) arguments.push_back("--realtime");
    const auto result = script("render.sh", arguments);
    ASSERT_EQ(result.exitStatus, 0) << result.err;

    const auto out = zvtest::readWav(folder.file("out.wav"));
    ASSERT_EQ(out.sampleRate, rate);
    ASSERT_EQ(out.channels, 2);
    ASSERT_EQ(out.interleaved.size(), signal.size());
    std::size_t differing = 0, first = signal.size();
    for (std::size_t i = 0; i < signal.size(); ++i) {
        if (std::memcmp(&out.interleaved[i], &signal[i], sizeof(float)) != 0) {
            if (differing++ == 0) first = i;
        }
    }
    EXPECT_EQ(differing, 0u) << "first at frame " << first / 2 << ", channel " << first % 2
                             << ": in " << std::hexfloat << signal.at(first) << ", out "
                             << out.interleaved.at(first);
}

INSTANTIATE_TEST_SUITE_P(Ardour, ArdourHarness, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& which) {
                             return which.param ? "RollingInRealTime" : "InAFreewheelExport";
                         });

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    for (const char* tool : {"ardour7-lua", "sox"}) {
        if (!onPath(tool)) {
            std::cout << "SKIPPED: " << tool
                      << " is not installed; the Ardour round trip needs the Debian "
                      << "packages ardour and sox (scripts/test.sh installs them)\n";
            return 77;
        }
    }
    return RUN_ALL_TESTS();
}
