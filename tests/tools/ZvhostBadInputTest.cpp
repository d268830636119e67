// Every way to hand zvhost something wrong: one line on stderr naming the problem, the exit status
// for its kind, nothing on stdout, and no file written, replaced or left half-done.
#include "RunProgram.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>

using zvtest::TemporaryFolder;

namespace {

namespace fs = std::filesystem;

constexpr int kUsage = 2, kPlugin = 3, kInput = 4, kOutput = 5;

struct BadInput {
    const char* name;
    std::vector<std::string> arguments;  // "@" stands for the test's folder
    int status;
    const char* message;  // a part of the one line on stderr
};

// The folder every case starts from: a good input, an earlier output, and things that are not
// what they pretend to be.
void prepare(const TemporaryFolder& folder) {
    zvtest::writeWav(folder.file("in.wav"), 44100, 2, zvtest::testSignal(44100, 0.2));
    zvtest::writeWav(folder.file("earlier.wav"), 44100, 2, {0.5f, 0.5f});
    zvtest::writeWav(folder.file("three.wav"), 44100, 3, std::vector<float>(30, 0.1f));
    zvtest::writeBytes(folder.file("notaudio.txt"), "just some words\n");
    zvtest::writeBytes(folder.file("empty.wav"), "");
    zvtest::writeBytes(folder.file("damaged.wav"),
                       "RIFF\x24\x00\x00\x00WAVEfmt garbage garbage garbage");
    zvtest::writeBytes(folder.file("text.so"), "not machine code\n");
    fs::create_directory(folder.path() / "sub");
    fs::create_symlink(folder.path() / "in.wav", folder.path() / "link.wav");
}

// Every file's bytes, by name, folders included.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        files[name] = entry.is_symlink()     ? "-> " + fs::read_symlink(entry.path()).string()
                      : entry.is_directory() ? "folder"
                                             : zvtest::readBytes(entry.path().string());
    }
    return files;
}

std::vector<std::string> substitute(const std::vector<std::string>& arguments,
                                    const std::string& folder) {
    std::vector<std::string> result;
    for (std::string argument : arguments) {
        for (auto at = argument.find('@'); at != std::string::npos;
             at = argument.find('@', at + folder.size()))
            argument.replace(at, 1, folder);
        result.push_back(argument);
    }
    return result;
}

const std::string kFixtures = ZV_FIXTURE_DIR;

const BadInput kCases[] = {
    // The command line.
    {"NoCommandAtAll", {}, kUsage, "no command given"},
    {"AnUnknownCommand", {"play", "@/in.wav"}, kUsage, "unknown command 'play'"},
    {"AnUnknownOption",
     {"render", "@/in.wav", "@/out.wav", "--gain", "2"},
     kUsage,
     "unknown option --gain"},
    {"ARenderWithoutAnOutputFile",
     {"render", "@/in.wav"},
     kUsage,
     "render needs an input file and an output file"},
    {"AnOptionWithoutItsValue",
     {"render", "@/in.wav", "@/out.wav", "--program"},
     kUsage,
     "--program needs a value"},
    {"AnUnknownProgramName",
     {"render", "@/in.wav", "@/out.wav", "--program", "Loud"},
     kUsage,
     "unknown program 'Loud'"},
    {"AProgramNumberPastTheLast",
     {"render", "@/in.wav", "@/out.wav", "--program", "26"},
     kUsage,
     "unknown program 26: the plug-in has 26 programs, 0 to 25"},
    {"AnUnknownParameterName",
     {"render", "@/in.wav", "@/out.wav", "--set", "Volume=0.5"},
     kUsage,
     "unknown parameter 'Volume'"},
    {"AParameterIndexPastTheLast",
     {"render", "@/in.wav", "@/out.wav", "--set", "9=0.5"},
     kUsage,
     "unknown parameter 9: the plug-in has 9 parameters, 0 to 8"},
    {"AValueAboveOne",
     {"render", "@/in.wav", "@/out.wav", "--set", "MIX=1.5"},
     kUsage,
     "value 1.5 is outside 0..1"},
    {"AValueBelowZero",
     {"render", "@/in.wav", "@/out.wav", "--set", "MIX=-0.1"},
     kUsage,
     "value -0.1 is outside 0..1"},
    {"AValueThatIsNotANumber",
     {"render", "@/in.wav", "@/out.wav", "--set", "MIX=loud"},
     kUsage,
     "'loud' is not a number"},
    {"ASettingWithoutAValue",
     {"render", "@/in.wav", "@/out.wav", "--set", "MIX"},
     kUsage,
     "--set wants INDEX=VALUE"},
    {"ABlockSizeOfZero",
     {"render", "@/in.wav", "@/out.wav", "--block", "0"},
     kUsage,
     "--block wants a whole number"},
    {"ANegativeTail",
     {"render", "@/in.wav", "@/out.wav", "--tail", "-1"},
     kUsage,
     "--tail wants seconds"},
    {"AFailedRenderLeavesAnEarlierOutputAlone",
     {"render", "@/in.wav", "@/earlier.wav", "--program", "Loud"},
     kUsage,
     "unknown program 'Loud'"},
    {"ADemoOfAnUnknownProgram",
     {"demo", "@/demo", "--program", "Loud"},
     kUsage,
     "unknown program 'Loud'"},
    // The input file.
    {"AMissingInputFile",
     {"render", "@/missing.wav", "@/out.wav"},
     kInput,
     "cannot read @/missing.wav: No such file"},
    {"AFolderAsInput",
     {"render", "@/sub", "@/out.wav"},
     kInput,
     "cannot read @/sub: it is a folder"},
    {"AnInputThatIsNotAudio",
     {"render", "@/notaudio.txt", "@/out.wav"},
     kInput,
     "not an audio file libsndfile can read"},
    {"AnEmptyInputFile",
     {"render", "@/empty.wav", "@/out.wav"},
     kInput,
     "not an audio file libsndfile can read"},
    {"ADamagedInputFile",
     {"render", "@/damaged.wav", "@/out.wav"},
     kInput,
     "not an audio file libsndfile can read"},
    {"AnInputWithThreeChannels",
     {"render", "@/three.wav", "@/out.wav"},
     kInput,
     "has 3 channels; zvhost takes mono or stereo files"},
    // The plug-in.
    {"AMissingPlugin",
     {"render", "@/in.wav", "@/out.wav", "--plugin", "@/nothing.so"},
     kPlugin,
     "plug-in not found"},
    {"AFolderAsPlugin", {"list", "@/sub"}, kPlugin, "plug-in is not a file"},
    {"APluginThatIsNotASharedObject",
     {"render", "@/in.wav", "@/out.wav", "--plugin", "@/text.so"},
     kPlugin,
     "cannot load plug-in @/text.so"},
    {"APluginWithoutVSTPluginMain",
     {"render", "@/in.wav", "@/out.wav", "--plugin", kFixtures + "/NoEntryPoint.so"},
     kPlugin,
     "no VSTPluginMain"},
    {"APluginThatReturnsNoEffect",
     {"render", "@/in.wav", "@/out.wav", "--plugin", kFixtures + "/NullRecord.so"},
     kPlugin,
     "VSTPluginMain returned no effect"},
    {"APluginThatReturnsSomethingElse",
     {"render", "@/in.wav", "@/out.wav", "--plugin", kFixtures + "/WrongMagic.so"},
     kPlugin,
     "wrong magic number"},
    {"AListOfAPluginThatReturnsNoEffect",
     {"list", kFixtures + "/NullRecord.so"},
     kPlugin,
     "returned no effect"},
    {"ADemoWithAPluginWithoutVSTPluginMain",
     {"demo", "@/demo", "--plugin", kFixtures + "/NoEntryPoint.so"},
     kPlugin,
     "no VSTPluginMain"},
    // The output.
    {"AnOutputThatIsTheInput",
     {"render", "@/in.wav", "@/in.wav"},
     kOutput,
     "refusing to write over the input file"},
    {"AnOutputThatLinksToTheInput",
     {"render", "@/in.wav", "@/link.wav"},
     kOutput,
     "refusing to write over the input"},
    {"AnOutputInAMissingFolder",
     {"render", "@/in.wav", "@/nowhere/out.wav"},
     kOutput,
     "cannot write @/nowhere/out.wav"},
    {"AnOutputFormatThatCannotBeWritten",
     {"render", "@/in.wav", "@/out.mp3"},
     kOutput,
     "cannot write .mp3 files"},
    {"AFolderAsOutput",
     {"render", "@/in.wav", "@/sub"},
     kOutput,
     "cannot write @/sub: it is a folder"},
    {"ADemoFolderBlockedByAFile",
     {"demo", "@/notaudio.txt"},
     kOutput,
     "cannot make the folder @/notaudio.txt"},
};

class ZvhostRejects : public testing::TestWithParam<BadInput> {};

}  // namespace

TEST_P(ZvhostRejects, WithOneLineAnExitStatusAndNoFileWritten) {
    const BadInput& bad = GetParam();
    TemporaryFolder folder;
    prepare(folder);
    const auto before = snapshot(folder.path());

    const auto result = zvtest::runZvhost(substitute(bad.arguments, folder.path().string()));

    EXPECT_EQ(result.exitStatus, bad.status);
    EXPECT_EQ(result.out, "");
    const auto lines = zvtest::lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_EQ(lines[0].rfind("zvhost: ", 0), 0u) << lines[0];
    const std::string expected = substitute({bad.message}, folder.path().string())[0];
    EXPECT_NE(lines[0].find(expected), std::string::npos) << lines[0] << "\nlacks: " << expected;
    EXPECT_EQ(snapshot(folder.path()), before);
}

INSTANTIATE_TEST_SUITE_P(BadInput, ZvhostRejects, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<BadInput>& param) {
                             return param.param.name;
                         });

TEST(ZvhostRejectsAnInputItMayNotRead, WithoutWritingAnything) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may read any file";
    TemporaryFolder folder;
    prepare(folder);
    fs::permissions(folder.path() / "in.wav", fs::perms::none);
    const auto result =
        zvtest::runZvhost({"render", folder.file("in.wav"), folder.file("out.wav")});
    EXPECT_EQ(result.exitStatus, kInput);
    EXPECT_NE(result.err.find("cannot read"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(folder.path() / "out.wav"));
}
