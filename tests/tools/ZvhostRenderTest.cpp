// `zvhost render` against the plug-in driven directly through its record.
#include "DirectHost.h"
#include "RunProgram.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

using zvtest::runZvhost;
using zvtest::TemporaryFolder;

namespace {

std::vector<float> channel(const std::vector<float>& interleaved, std::size_t which,
                           std::size_t channels = 2) {
    std::vector<float> samples;
    for (std::size_t i = which; i < interleaved.size(); i += channels)
        samples.push_back(interleaved[i]);
    return samples;
}

// The first frame differing between two interleaved stereo signals, or -1.
long firstDifference(const std::vector<float>& a, const std::vector<float>& b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0) return static_cast<long>(i / 2);
    return a.size() == b.size() ? -1 : static_cast<long>(std::min(a.size(), b.size()) / 2);
}

// Program 14 "Walking Shadow" uses both filters in the loop, a balance off centre and full pan
// depth: every part of the signal path is heard.
constexpr int kWalkingShadow = 14;
constexpr int kMix = 8;
constexpr int kHighPass = 3;

}  // namespace

TEST(ZvhostRender, GivesSampleForSampleWhatTheRecordGivesWhenDrivenDirectly) {
    TemporaryFolder folder;
    const int rate = 44100;
    const auto signal = zvtest::testSignal(rate, 2.0);
    zvtest::writeWav(folder.file("in.wav"), rate, 2, signal);

    const auto result = runZvhost({"render", folder.file("in.wav"), folder.file("out.wav"),
                                   "--program", "Walking Shadow", "--set", "MIX=0.9", "--block",
                                   "300", "--tail", "1.5", "--plugin", ZV_PLUGIN_PATH});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto rendered = zvtest::readWav(folder.file("out.wav"));

    zvtest::DirectSettings settings;
    settings.program = kWalkingShadow;
    settings.parameters = {{kMix, 0.9f}};
    const auto direct =
        zvtest::processDirectly(ZV_PLUGIN_PATH, rate, 300, channel(signal, 0), channel(signal, 1),
                                static_cast<std::size_t>(1.5 * rate), settings);
    EXPECT_EQ(rendered.sampleRate, rate);
    EXPECT_EQ(rendered.channels, 2);
    EXPECT_EQ(rendered.frames(), static_cast<std::size_t>(3.5 * rate));
    EXPECT_EQ(firstDifference(rendered.interleaved, direct), -1);
}

TEST(ZvhostRender, ProgramsAreFoundByNumberOrByNameInAnyCase) {
    TemporaryFolder folder;
    zvtest::writeWav(folder.file("in.wav"), 48000, 2, zvtest::testSignal(48000, 0.5));
    for (const char* program : {"14", "Walking Shadow", "walking shadow"}) {
        const std::string out = folder.file(std::string(program) + ".wav");
        const auto result = runZvhost({"render", folder.file("in.wav"), out, "--program", program});
        ASSERT_EQ(result.exitStatus, 0) << program << ": " << result.err;
    }
    const auto byNumber = zvtest::readWav(folder.file("14.wav")).interleaved;
    EXPECT_EQ(
        firstDifference(byNumber, zvtest::readWav(folder.file("Walking Shadow.wav")).interleaved),
        -1);
    EXPECT_EQ(
        firstDifference(byNumber, zvtest::readWav(folder.file("walking shadow.wav")).interleaved),
        -1);
    // ... and the program made a difference.
    const auto result = runZvhost({"render", folder.file("in.wav"), folder.file("default.wav")});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_NE(firstDifference(byNumber, zvtest::readWav(folder.file("default.wav")).interleaved),
              -1);
}

TEST(ZvhostRender, SendsAMonoFileToBothInputs) {
    TemporaryFolder folder;
    const int rate = 32000;
    const auto mono = channel(zvtest::testSignal(rate, 1.0), 0);
    zvtest::writeWav(folder.file("mono.wav"), rate, 1, mono);
    const auto result =
        runZvhost({"render", folder.file("mono.wav"), folder.file("out.wav"), "--tail", "0.25"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const auto direct =
        zvtest::processDirectly(ZV_PLUGIN_PATH, rate, 512, mono, mono, rate / 4, {});
    EXPECT_EQ(firstDifference(zvtest::readWav(folder.file("out.wav")).interleaved, direct), -1);
}

TEST(ZvhostRender, GivesThePluginTheFilesOwnSampleRate) {
    // With both filters off, an impulse on the left comes back on the right exactly one delay
    // length later: trunc((rate - 1) x 0.079977326) samples for "SlapBack".
    for (const auto& [rate, delay] :
         {std::pair{44100, 3526}, std::pair{48000, 3838}, std::pair{96000, 7677}}) {
        TemporaryFolder folder;
        std::vector<float> impulse(static_cast<std::size_t>(rate) * 2, 0.0f);
        impulse[0] = 1.0f;
        zvtest::writeWav(folder.file("in.wav"), rate, 2, impulse);
        const auto result =
            runZvhost({"render", folder.file("in.wav"), folder.file("out.wav"), "--set",
                       "lowPass=0", "--set", std::to_string(kHighPass) + "=0", "--tail", "0"});
        ASSERT_EQ(result.exitStatus, 0) << result.err;
        const auto out = zvtest::readWav(folder.file("out.wav"));
        EXPECT_EQ(out.sampleRate, rate);
        const auto right = channel(out.interleaved, 1);
        const auto first =
            std::find_if(right.begin(), right.end(), [](float s) { return s != 0.0f; });
        ASSERT_NE(first, right.end()) << rate << " Hz";
        EXPECT_EQ(first - right.begin(), delay) << rate << " Hz";
        EXPECT_EQ(*first, 1.0f) << rate << " Hz";
    }
}

TEST(ZvhostRender, AddsTheTailAfterTheInput) {
    TemporaryFolder folder;
    zvtest::writeWav(folder.file("in.wav"), 8000, 2, std::vector<float>(2 * 1000, 0.25f));
    ASSERT_EQ(runZvhost({"render", folder.file("in.wav"), folder.file("a.wav"), "--tail", "0.5"})
                  .exitStatus,
              0);
    ASSERT_EQ(runZvhost({"render", folder.file("in.wav"), folder.file("b.wav")}).exitStatus, 0);
    EXPECT_EQ(zvtest::readWav(folder.file("a.wav")).frames(), 1000u + 4000u);
    EXPECT_EQ(zvtest::readWav(folder.file("b.wav")).frames(), 1000u + 16000u);  // 2 s by default
}

TEST(ZvhostRender, WritesTheFormatTheExtensionAsksFor) {
    TemporaryFolder folder;
    zvtest::writeWav(folder.file("in.wav"), 44100, 2, zvtest::testSignal(44100, 0.2));
    ASSERT_EQ(runZvhost({"render", folder.file("in.wav"), folder.file("out.flac"), "--tail", "0"})
                  .exitStatus,
              0);
    ASSERT_EQ(runZvhost({"render", folder.file("in.wav"), folder.file("out.wav"), "--tail", "0"})
                  .exitStatus,
              0);
    const auto flac = zvtest::readWav(folder.file("out.flac"));
    const auto wav = zvtest::readWav(folder.file("out.wav"));
    EXPECT_EQ(flac.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(wav.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(flac.interleaved.size(), wav.interleaved.size());
    for (std::size_t i = 0; i < wav.interleaved.size(); ++i)
        ASSERT_NEAR(flac.interleaved[i], wav.interleaved[i], 1.0 / (1 << 22)) << "sample " << i;
}

TEST(ZvhostRender, ReadsAnyFormatLibsndfileReads) {
    TemporaryFolder folder;
    const auto signal = zvtest::testSignal(22050, 0.3);
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 2;
    info.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(folder.file("in.aiff").c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_writef_float(file, signal.data(), static_cast<sf_count_t>(signal.size() / 2));
    sf_close(file);
    const auto result =
        runZvhost({"render", folder.file("in.aiff"), folder.file("out.wav"), "--tail", "0"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(zvtest::readWav(folder.file("out.wav")).frames(), signal.size() / 2);
}

TEST(ZvhostRender, DrawsAProgressBarOnATerminalForALongFile) {
    TemporaryFolder folder;
    zvtest::writeWav(folder.file("long.wav"), 8000, 1, std::vector<float>(8000 * 40, 0.0f));
    const auto result = zvtest::runOnTerminal(
        {ZVHOST_PATH, "render", folder.file("long.wav"), folder.file("out.wav"), "--tail", "0"});
    EXPECT_EQ(result.exitStatus, 0) << result.out;
    EXPECT_NE(result.out.find("\rrendering ["), std::string::npos);
    EXPECT_NE(result.out.find("] 100%"), std::string::npos);
}

TEST(ZvhostRender, KeepsQuietOnATerminalForAShortFileAndOffATerminalForAnyFile) {
    TemporaryFolder folder;
    zvtest::writeWav(folder.file("short.wav"), 8000, 1, std::vector<float>(8000 * 5, 0.0f));
    zvtest::writeWav(folder.file("long.wav"), 8000, 1, std::vector<float>(8000 * 40, 0.0f));
    const auto onTerminal = zvtest::runOnTerminal(
        {ZVHOST_PATH, "render", folder.file("short.wav"), folder.file("a.wav"), "--tail", "0"});
    EXPECT_EQ(onTerminal.out.find("rendering ["), std::string::npos);
    const auto offTerminal =
        runZvhost({"render", folder.file("long.wav"), folder.file("b.wav"), "--tail", "0"});
    EXPECT_EQ(offTerminal.exitStatus, 0);
    EXPECT_EQ(offTerminal.err, "");
}

TEST(ZvhostRender, DrivesAPluginFromAnotherVendor) {
    const std::string other = "/usr/lib/vst/lsp-plugins/slap-delay-stereo.so";
    if (!std::filesystem::exists(other)) GTEST_SKIP() << "lsp-plugins-vst is not installed";
    TemporaryFolder folder;
    zvtest::writeWav(folder.file("in.wav"), 48000, 2, zvtest::testSignal(48000, 0.5));
    const auto result = runZvhost({"render", folder.file("in.wav"), folder.file("out.wav"),
                                   "--plugin", other, "--tail", "0.5"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(zvtest::readWav(folder.file("out.wav")).frames(), 48000u);
}
