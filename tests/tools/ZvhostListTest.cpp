// `zvhost list`, run as a user runs it.
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using zvtest::runZvhost;

namespace {

// The line that starts with `key` (after leading spaces), or "".
std::string lineStarting(const std::string& text, const std::string& key) {
    for (const auto& line : zvtest::lines(text)) {
        const auto first = line.find_first_not_of(' ');
        if (first != std::string::npos && line.compare(first, key.size(), key) == 0) return line;
    }
    return "";
}

// Splits on runs of two or more spaces, the separator between list columns.
std::vector<std::string> columns(const std::string& line) {
    std::vector<std::string> cells;
    const std::regex separator(" {2,}");
    for (std::sregex_token_iterator it(line.begin(), line.end(), separator, -1), end; it != end;
         ++it)
        if (!it->str().empty()) cells.push_back(*it);
    return cells;
}

constexpr const char* kOtherVendorPlugin = "/usr/lib/vst/lsp-plugins/slap-delay-stereo.so";

}  // namespace

TEST(ZvhostList, ShowsWhoTheEffectIs) {
    const auto result = runZvhost({"list", ZV_PLUGIN_PATH});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(lineStarting(result.out, "effect"), "effect     ZvDelay32");
    EXPECT_EQ(lineStarting(result.out, "vendor"), "vendor     Zelvano Music");
    EXPECT_EQ(lineStarting(result.out, "product"), "product    Zelvano's Delay 32-Bit");
    EXPECT_EQ(lineStarting(result.out, "version"), "version    1000");
    EXPECT_EQ(lineStarting(result.out, "unique ID"), "unique ID  ZvD8");
    EXPECT_EQ(lineStarting(result.out, "category"), "category   effect (1)");
    EXPECT_EQ(lineStarting(result.out, "inputs"), "inputs     2");
    EXPECT_EQ(lineStarting(result.out, "outputs"), "outputs    2");
}

TEST(ZvhostList, ShowsEveryParameterWithItsNameLabelValueAndDisplay) {
    const auto result = runZvhost({"list", ZV_PLUGIN_PATH});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const std::vector<std::vector<std::string>> expected = {
        {"0", "Delay", "samples", "0.079977", "3526"},
        {"1", "FeedBack", "amount", "0.215000", "0.215000"},
        {"2", "lowPass", "%", "0.374000", "0.374000"},
        {"3", "highPass", "%", "0.655999", "0.655999"},
        {"4", "lowPass Type", "on/off", "1.000000", "1"},
        {"5", "highPass Type", "on/off", "0.000000", "0"},
        {"6", "Left/Right", "left/right", "0.500000", "0.500000"},
        {"7", "Pan Depth", "%", "0.000000", "0.000000"},
        {"8", "MIX", "%", "1.000000", "1.000000"},
    };
    EXPECT_NE(result.out.find("parameters (9, shown at 44100 Hz)"), std::string::npos);
    for (const auto& row : expected) {
        const auto line = lineStarting(result.out, row[0] + "     " + row[1]);
        EXPECT_EQ(columns(line), row) << "line: '" << line << "'";
    }
}

TEST(ZvhostList, ShowsAllTwentySixProgramsInOrder) {
    const auto result = runZvhost({"list", ZV_PLUGIN_PATH});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    const auto all = zvtest::lines(result.out);
    const auto header = std::find(all.begin(), all.end(), "programs (26)");
    ASSERT_NE(header, all.end());
    ASSERT_EQ(all.end() - header, 27);
    EXPECT_EQ(header[1], "    0  SlapBack");
    EXPECT_EQ(header[15], "   14  Walking Shadow");
    EXPECT_EQ(header[21], "   20  Repeat After Me");
    EXPECT_EQ(header[26], "   25  Punk");
}

TEST(ZvhostList, WithoutAPluginUsesTheOneBuiltBesideIt) {
    const auto result = runZvhost({"list"});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(lineStarting(result.out, "plug-in"), "plug-in    " + std::string(ZV_PLUGIN_PATH));
}

TEST(ZvhostList, ShowsAPluginFromAnotherVendor) {
    if (!std::filesystem::exists(kOtherVendorPlugin))
        GTEST_SKIP() << "lsp-plugins-vst is not installed";
    const auto result = runZvhost({"list", kOtherVendorPlugin});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(lineStarting(result.out, "inputs"), "inputs     2");
    EXPECT_NE(lineStarting(result.out, "vendor").find("LSP"), std::string::npos);
    EXPECT_NE(result.out.find("programs ("), std::string::npos);
}
