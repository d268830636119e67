// The VST 3 bundle in a real host: Ardour 7, driven headless by the realhost scripts, lists it
// with the VST 2 plug-in's nine parameters and 26 programs, and renders through it exactly what it
// renders through the VST 2 plug-in. Both renders go through the same host, pre-roll and all, so
// here the two must agree bit for bit. (Ardour's engine runs while the session is set up, for as
// long as that takes: the program has no pan modulation, whose phase would then depend on it.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "RunProgram.h"
#include "TestFiles.h"

namespace {

zvtest::ProgramResult script(const std::string& name, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"/bin/bash", ZV_REALHOST_DIR "/" + name});
    return zvtest::runProgram(arguments);
}

// The fields after the key of every "key<TAB>..." line with that key.
std::vector<std::vector<std::string>> records(const std::string& text, const std::string& key) {
    std::vector<std::vector<std::string>> found;
    for (const auto& line : zvtest::lines(text)) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
        if (fields.size() > 1 && fields[0] == key)
            found.emplace_back(fields.begin() + 1, fields.end());
    }
    return found;
}

}  // namespace

TEST(ArdourWithTheVst3Plugin, ListsTheNineParametersAndTheProgramsOfTheVst2Plugin) {
    const auto vst3 = script("list.sh", {ZV_VST3_BUNDLE});
    ASSERT_EQ(vst3.exitStatus, 0) << vst3.err;
    const auto vst2 = script("list.sh", {ZV_VST2_PATH});
    ASSERT_EQ(vst2.exitStatus, 0) << vst2.err;

    EXPECT_EQ(records(vst3.out, "name").at(0).at(0), "ZvDelay32");
    EXPECT_EQ(records(vst3.out, "category").at(0).at(0), "Fx|Delay");
    EXPECT_EQ(records(vst3.out, "audio_io").at(0).at(0), "2 in, 2 out");
    EXPECT_EQ(records(vst3.out, "latency").at(0).at(0), "0 samples");
    const auto parameters = records(vst3.out, "param");
    const auto vst2Parameters = records(vst2.out, "param");
    ASSERT_EQ(parameters.size(), 9u) << vst3.out;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        EXPECT_EQ(parameters[i].at(1), vst2Parameters.at(i).at(1));  // the name
        EXPECT_EQ(parameters[i].at(3), vst2Parameters.at(i).at(3));  // the range
    }
    const auto programs = records(vst3.out, "program");
    const auto vst2Programs = records(vst2.out, "program");
    ASSERT_EQ(programs.size(), 26u) << vst3.out;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        // Ardour shows the VST 2 programs as "N - name", the program list's by name.
        EXPECT_EQ(std::to_string(i) + " - " + programs[i].at(1), vst2Programs.at(i).at(1));
    }
}

TEST(ArdourWithTheVst3Plugin, RendersBitForBitWhatItRendersThroughTheVst2Plugin) {
    zvtest::TemporaryFolder folder;
    zvtest::writeWav(folder.file("in.wav"), 48000, 2, zvtest::testSignal(48000, 2.0));
    const auto render = [&](const std::string& plugin, const std::string& out) {
        return script("render.sh", {plugin, folder.file("in.wav"), folder.file(out), "--block",
                                    "480", "--tail", "1", "--program", "Canyon", "--param",
                                    "1=0.62", "--param", "Delay=0.31", "--param", "5=1"});
    };
    const auto vst3 = render(ZV_VST3_BUNDLE, "vst3.wav");
    ASSERT_EQ(vst3.exitStatus, 0) << vst3.err;
    const auto vst2 = render(ZV_VST2_PATH, "vst2.wav");
    ASSERT_EQ(vst2.exitStatus, 0) << vst2.err;

    const auto fromVst3 = zvtest::readWav(folder.file("vst3.wav"));
    const auto fromVst2 = zvtest::readWav(folder.file("vst2.wav"));
    const auto dry = zvtest::readWav(folder.file("in.wav"));
    ASSERT_EQ(fromVst3.interleaved.size(), fromVst2.interleaved.size());
    std::size_t differing = 0;
    double echo = 0.0;
    for (std::size_t i = 0; i < fromVst2.interleaved.size(); ++i) {
        if (std::memcmp(&fromVst3.interleaved[i], &fromVst2.interleaved[i], sizeof(float)) != 0) {
            ++differing;
        }
        const float drySample = i < dry.interleaved.size() ? dry.interleaved[i] : 0.0f;
        echo = std::max(echo, static_cast<double>(std::abs(fromVst2.interleaved[i] - drySample)));
    }
    EXPECT_EQ(differing, 0u);
    EXPECT_GT(echo, 0.1) << "no echo: the comparison proves nothing";
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (std::system("command -v ardour7-lua >/dev/null && command -v sox >/dev/null") != 0) {
        std::printf("SKIPPED: Ardour 7 (ardour7-lua) or sox is not installed\n");
        return 77;
    }
    return RUN_ALL_TESTS();
}
