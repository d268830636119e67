#include "AudioFile.h"
#include "HostError.h"

#include "TestFiles.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

using namespace zvhost;
using zvtest::TemporaryFolder;

TEST(AudioFile, AMonoFileFillsBothChannels) {
    TemporaryFolder folder;
    zvtest::writeWav(folder.file("mono.wav"), 22050, 1, {0.5f, -0.25f, 1.0f});
    const Audio audio = readAudio(folder.file("mono.wav"));
    EXPECT_EQ(audio.sampleRate, 22050);
    EXPECT_EQ(audio.left, (std::vector<float>{0.5f, -0.25f, 1.0f}));
    EXPECT_EQ(audio.right, audio.left);
}

TEST(AudioFile, AStereoFileKeepsItsChannelsApart) {
    TemporaryFolder folder;
    zvtest::writeWav(folder.file("stereo.wav"), 44100, 2, {0.1f, 0.2f, 0.3f, 0.4f});
    const Audio audio = readAudio(folder.file("stereo.wav"));
    EXPECT_EQ(audio.left, (std::vector<float>{0.1f, 0.3f}));
    EXPECT_EQ(audio.right, (std::vector<float>{0.2f, 0.4f}));
}

TEST(AudioFile, WavOutputIs32BitFloatAndKeepsEverySampleExactly) {
    TemporaryFolder folder;
    Audio audio;
    audio.sampleRate = 96000;
    audio.left = {1.0e-30f, -3.5f, 0.123456789f};
    audio.right = {0.0f, 2.0f, -1.0f};
    writeAudio(folder.file("out.wav"), audio);
    const auto back = zvtest::readWav(folder.file("out.wav"));
    EXPECT_EQ(back.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(back.sampleRate, 96000);
    EXPECT_EQ(back.interleaved,
              (std::vector<float>{1.0e-30f, 0.0f, -3.5f, 2.0f, 0.123456789f, -1.0f}));
}

TEST(AudioFile, TheExtensionChoosesTheOutputFormat) {
    EXPECT_EQ(outputFormat("a.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormat("a.WAV"), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormat("no-extension"), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormat("a.flac"), SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_EQ(outputFormat("a.aiff"), SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
    EXPECT_EQ(outputFormat("a.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    EXPECT_THROW(outputFormat("a.mp3"), HostError);
}

TEST(AudioFile, AWriterThatNeverWroteLeavesNothingBehind) {
    TemporaryFolder folder;
    {
        AudioWriter writer(folder.file("never.wav"));
        EXPECT_EQ(folder.entries().size(), 1u);  // its temporary file
    }
    EXPECT_TRUE(folder.entries().empty());
}

TEST(AudioFile, AWriterReplacesAnOlderFileOnlyWhenDone) {
    TemporaryFolder folder;
    zvtest::writeBytes(folder.file("out.wav"), "old");
    Audio audio;
    audio.sampleRate = 8000;
    audio.left = audio.right = {0.5f};
    AudioWriter writer(folder.file("out.wav"));
    EXPECT_EQ(zvtest::readBytes(folder.file("out.wav")), "old");
    writer.write(audio);
    EXPECT_EQ(zvtest::readWav(folder.file("out.wav")).interleaved,
              (std::vector<float>{0.5f, 0.5f}));
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"out.wav"}));
}

TEST(AudioFile, SameFileSeesThroughLinks) {
    TemporaryFolder folder;
    zvtest::writeBytes(folder.file("a"), "x");
    zvtest::writeBytes(folder.file("b"), "x");
    ASSERT_EQ(::link(folder.file("a").c_str(), folder.file("hard").c_str()), 0);
    ASSERT_EQ(::symlink(folder.file("a").c_str(), folder.file("soft").c_str()), 0);
    EXPECT_TRUE(sameFile(folder.file("a"), folder.file("hard")));
    EXPECT_TRUE(sameFile(folder.file("a"), folder.file("soft")));
    EXPECT_FALSE(sameFile(folder.file("a"), folder.file("b")));
    EXPECT_FALSE(sameFile(folder.file("a"), folder.file("missing")));
}
