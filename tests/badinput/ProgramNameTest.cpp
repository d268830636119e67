// Program names of every length a host might send, with and without a terminator, each placed
// right before an inaccessible page: the effect reads no byte past the name (nor past its
// 24-character limit) and writes no byte past the 25 the host's buffer holds.
#include <string>

#include "HostileHostCase.h"
#include "PageEdgeBytes.h"

namespace {
using ProgramNames = HostileHostCase;

// The name as a host hands it over: the characters, then a terminator only when asked for.
std::unique_ptr<PageEdgeBytes> nameAtPageEdge(std::size_t characters, bool terminated) {
    auto bytes = std::make_unique<PageEdgeBytes>(characters + (terminated ? 1 : 0));
    for (std::size_t i = 0; i < characters; ++i) bytes->data()[i] = static_cast<char>('A' + i % 26);
    if (terminated) bytes->data()[characters] = '\0';
    return bytes;
}

std::string currentName(HostedEffect& effect) {
    PageEdgeBytes buffer(kVstMaxProgNameLen + 1);
    buffer.fill('x');
    effect.call(effGetProgramName, 0, 0, buffer.data());
    return std::string(buffer.data());
}

const std::string kFirst24 = "ABCDEFGHIJKLMNOPQRSTUVWX";
}  // namespace

TEST_F(ProgramNames, EmptyNameIsStoredEmpty) {
    auto name = nameAtPageEdge(0, true);
    effect.call(effSetProgramName, 0, 0, name->data());
    EXPECT_EQ(currentName(effect), "");
    expectEchoComesBack();
}

// Names around the limit, each stored as its first 24 characters at the most.
struct NameLength {
    const char* name;
    std::size_t characters;
    bool terminated;
};
const NameLength kNameLengths[] = {
    {"NameOf1000CharactersIsCutTo24", 1000, true},
    {"NameOf1000CharactersWithoutTerminatorIsCutTo24", 1000, false},
    {"NameOf24CharactersWithoutTerminatorIsReadNoFurther", 24, false},
    {"NameOf24CharactersWithTerminatorIsKeptWhole", 24, true},
};

class ProgramNameLengths : public HostileHostCase,
                           public ::testing::WithParamInterface<NameLength> {};

TEST_P(ProgramNameLengths, AreStoredAsTheFirst24Characters) {
    auto name = nameAtPageEdge(GetParam().characters, GetParam().terminated);
    effect.call(effSetProgramName, 0, 0, name->data());
    EXPECT_EQ(currentName(effect), kFirst24);
}

INSTANTIATE_TEST_SUITE_P(ProgramNames, ProgramNameLengths, ::testing::ValuesIn(kNameLengths),
                         [](const ::testing::TestParamInfo<NameLength>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(ProgramNames, LongNameIsReadBackIntoExactly25BytesByIndex) {
    auto name = nameAtPageEdge(1000, false);
    effect.call(effSetProgram, 0, 7);
    effect.call(effSetProgramName, 0, 0, name->data());
    effect.call(effSetProgram, 0, 0);
    PageEdgeBytes buffer(kVstMaxProgNameLen + 1);
    buffer.fill('x');
    EXPECT_EQ(effect.call(effGetProgramNameIndexed, 7, 0, buffer.data()), 1);
    EXPECT_EQ(std::string(buffer.data()), kFirst24);
    EXPECT_EQ(currentName(effect), "SlapBack");
}

TEST_F(ProgramNames, NamesWithBytesBeyondAsciiAreKeptAsBytes) {
    const std::string name =
        "\xC3\xA9"
        "cho \x01\x7F\xFF";
    auto bytes = std::make_unique<PageEdgeBytes>(name.size() + 1);
    std::memcpy(bytes->data(), name.c_str(), name.size() + 1);
    effect.call(effSetProgramName, 0, 0, bytes->data());
    EXPECT_EQ(currentName(effect), name);
}
