#include "CommandLine.h"
#include "HostError.h"

#include <gtest/gtest.h>

using namespace zvhost;

namespace {

Command parse(std::vector<std::string> arguments) { return parseCommandLine(arguments); }

ExitStatus statusOf(std::vector<std::string> arguments) {
    try {
        parse(arguments);
    } catch (const HostError& error) {
        return error.status();
    }
    return ExitStatus::ok;
}

}  // namespace

TEST(CommandLine, RenderTakesEveryOptionInEitherSpelling) {
    const Command command =
        parse({"render", "in.wav", "--program", "Canyon", "--set=MIX=0.25", "--set", "3=1",
               "--block=64", "--tail", "0.5", "out.flac", "--plugin", "/x/y.so"});
    EXPECT_EQ(command.kind, CommandKind::render);
    EXPECT_EQ(command.input, "in.wav");
    EXPECT_EQ(command.output, "out.flac");
    EXPECT_EQ(command.settings.program, "Canyon");
    ASSERT_EQ(command.settings.parameters.size(), 2u);
    EXPECT_EQ(command.settings.parameters[0].first, "MIX");
    EXPECT_FLOAT_EQ(command.settings.parameters[0].second, 0.25f);
    EXPECT_EQ(command.settings.parameters[1].first, "3");
    EXPECT_EQ(command.options.blockSize, 64);
    EXPECT_DOUBLE_EQ(command.options.tailSeconds, 0.5);
    EXPECT_EQ(command.pluginPath, "/x/y.so");
}

TEST(CommandLine, RenderDefaultsToBlocksOf512AndATwoSecondTail) {
    const Command command = parse({"render", "a.wav", "b.wav"});
    EXPECT_EQ(command.options.blockSize, 512);
    EXPECT_DOUBLE_EQ(command.options.tailSeconds, 2.0);
    EXPECT_TRUE(command.settings.program.empty());
    EXPECT_TRUE(command.pluginPath.empty());
}

TEST(CommandLine, ParameterValuesAtTheEndsOfTheRangeAreAccepted) {
    const Command command = parse({"render", "a", "b", "--set", "Delay=0", "--set", "Delay=1"});
    EXPECT_EQ(command.settings.parameters[0].second, 0.0f);
    EXPECT_EQ(command.settings.parameters[1].second, 1.0f);
}

TEST(CommandLine, ADoubleDashEndsTheOptionsSoFileNamesMayStartWithADash) {
    const Command command = parse({"render", "--", "-in.wav", "-out.wav"});
    EXPECT_EQ(command.input, "-in.wav");
    EXPECT_EQ(command.output, "-out.wav");
}

TEST(CommandLine, ListTakesThePluginAsAnArgumentOrAsAnOption) {
    EXPECT_EQ(parse({"list", "a.so"}).pluginPath, "a.so");
    EXPECT_EQ(parse({"list", "--plugin", "b.so"}).pluginPath, "b.so");
    EXPECT_TRUE(parse({"list"}).pluginPath.empty());
    EXPECT_EQ(statusOf({"list", "a.so", "--plugin", "b.so"}), ExitStatus::usage);
}

TEST(CommandLine, DemoWritesIntoZvhostDemoUnlessGivenAFolder) {
    EXPECT_EQ(parse({"demo"}).output, "zvhost-demo");
    EXPECT_EQ(parse({"demo", "here"}).output, "here");
    EXPECT_TRUE(parse({"demo", "--all"}).allPrograms);
    EXPECT_EQ(statusOf({"demo", "--all", "--program", "Punk"}), ExitStatus::usage);
}

TEST(CommandLine, HelpIsAskedForByNameOrByFlagAnywhere) {
    EXPECT_EQ(parse({"help"}).kind, CommandKind::help);
    EXPECT_EQ(parse({"--help"}).kind, CommandKind::help);
    EXPECT_EQ(parse({"render", "a", "-h"}).kind, CommandKind::help);
    EXPECT_NE(usageText().find("zvhost render IN OUT"), std::string::npos);
}

TEST(CommandLine, OptionsBelongToTheirCommands) {
    EXPECT_EQ(statusOf({"list", "--block", "64"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"demo", "--tail", "1"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--all"}), ExitStatus::usage);
}

TEST(CommandLine, NumbersMustBeWholeAndInRange) {
    EXPECT_EQ(statusOf({"render", "a", "b", "--block", "0"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--block", "12.5"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--block", "65537"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--tail", "-0.1"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--tail", "inf"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--set", "MIX=nan"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--set", "MIX=1.0001"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--set", "=0.5"}), ExitStatus::usage);
    EXPECT_EQ(statusOf({"render", "a", "b", "--block"}), ExitStatus::usage);
}
