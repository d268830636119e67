// zvhost takes a .clap as it takes the VST 2 plug-in: it lists the presets and the parameters'
// texts, and renders a file to the same bits as the VST 2 plug-in with the same program and
// settings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "RunProgram.h"
#include "TestFiles.h"

TEST(ClapZvhost, ZvhostListsTheClapPluginAndRendersItToTheVst2PluginsBits) {
    const zvtest::ProgramResult list = zvtest::runZvhost({"list", ZV_CLAP_PATH});
    ASSERT_EQ(list.exitStatus, 0) << list.err;
    EXPECT_NE(list.out.find("id         com.zelvano.zvdelay32"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("presets (26)"), std::string::npos);
    EXPECT_NE(list.out.find("Walking Shadow"), std::string::npos);
    EXPECT_NE(list.out.find("3526 samples"), std::string::npos);

    zvtest::TemporaryFolder folder;
    const std::string input = folder.file("in.wav");
    zvtest::writeWav(input, 48000, 2, zvtest::testSignal(48000, 1.5));
    for (const char* plugin : {ZV_PLUGIN_PATH, ZV_CLAP_PATH}) {
        const zvtest::ProgramResult render = zvtest::runZvhost(
            {"render", input,
             folder.file(std::string(plugin).ends_with(".clap") ? "clap.wav" : "vst2.wav"),
             "--plugin", plugin, "--program", "Walking Shadow", "--set", "MIX=0.7", "--set",
             "0=0.3", "--block", "333", "--tail", "1"});
        ASSERT_EQ(render.exitStatus, 0) << render.err;
    }
    const zvtest::WavContents clap = zvtest::readWav(folder.file("clap.wav"));
    ASSERT_EQ(clap.frames(), 2u * 48000u + 24000u);
    // The samples, not the files' bytes: the files' peak records carry the time of writing.
    const zvtest::WavContents vst2 = zvtest::readWav(folder.file("vst2.wav"));
    EXPECT_EQ(clap.sampleRate, vst2.sampleRate);
    ASSERT_EQ(clap.interleaved.size(), vst2.interleaved.size());
    EXPECT_EQ(std::memcmp(clap.interleaved.data(), vst2.interleaved.data(),
                          clap.interleaved.size() * sizeof(float)),
              0);

    const zvtest::ProgramResult unknown =
        zvtest::runZvhost({"render", input, folder.file("x.wav"), "--plugin", ZV_CLAP_PATH,
                           "--program", "No Such Preset"});
    EXPECT_EQ(unknown.exitStatus, 2);
}
