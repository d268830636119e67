#include "EmbeddedResourceTable.h"
#include "EmbeddedResources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr unsigned char pngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

TEST(EmbeddedResourceLookup, FindsAPictureByItsNameAndType) {
    const EmbeddedResource* knob = findEmbeddedResource("fxknob17", "png");
    ASSERT_NE(knob, nullptr);
    EXPECT_STREQ(knob->name, "fxknob17");
    EXPECT_STREQ(knob->type, "png");
    ASSERT_GT(knob->size, sizeof pngSignature);
    EXPECT_EQ(std::memcmp(knob->bytes, pngSignature, sizeof pngSignature), 0);
}

TEST(EmbeddedResourceLookup, AnEmptyTypeFindsThePictureWhateverItsType) {
    for (const char* name : {"delaybackground", "switchoff", "switchon", "fxknob0", "fxknob127"}) {
        const EmbeddedResource* anyType = findEmbeddedResource(name, "");
        ASSERT_NE(anyType, nullptr) << name;
        EXPECT_EQ(anyType, findEmbeddedResource(name, "png")) << name;
    }
}

TEST(EmbeddedResourceLookup, AnotherTypeFindsNothing) {
    EXPECT_EQ(findEmbeddedResource("switchon", "jpg"), nullptr);
    EXPECT_EQ(findEmbeddedResource("switchon", "pn"), nullptr);
    EXPECT_EQ(findEmbeddedResource("switchon", "pngx"), nullptr);
    EXPECT_EQ(findEmbeddedResource("switchon", "PNG"), nullptr);
    EXPECT_EQ(findEmbeddedResource("switchon", ".png"), nullptr);
}

TEST(EmbeddedResourceLookup, NamesThatAreNotThereFindNothing) {
    for (const char* name :
         {"", "a", "zzzz", "fxknob", "fxknob128", "fxknob1270", "fxknob-1", "FXKNOB1", "fxknob1 ",
          " fxknob1", "delaybackground.png", "switch", "switchonn", "fxknob00"}) {
        EXPECT_EQ(findEmbeddedResource(name, "png"), nullptr) << '"' << name << '"';
        EXPECT_EQ(findEmbeddedResource(name, ""), nullptr) << '"' << name << '"';
    }
}

TEST(EmbeddedResourceLookup, NamesAreReadToTheirLengthNotToATerminator) {
    const std::string_view longer = "fxknob12x";
    const EmbeddedResource* knob = findEmbeddedResource(longer.substr(0, 8), "png");
    ASSERT_NE(knob, nullptr);
    EXPECT_STREQ(knob->name, "fxknob12");

    const std::string withNul("switchon\0ff", 11);
    EXPECT_EQ(findEmbeddedResource(withNul, "png"), nullptr);
}

TEST(EmbeddedResourceTable, IsSortedByNameThenTypeWithEachPairOnce) {
    ASSERT_GT(embeddedResourceCount, 0u);
    for (std::size_t i = 1; i < embeddedResourceCount; ++i) {
        const EmbeddedResource& before = embeddedResourceTable[i - 1];
        const EmbeddedResource& after = embeddedResourceTable[i];
        const std::string_view beforeName = before.name;
        const std::string_view afterName = after.name;
        const bool inOrder = beforeName < afterName || (beforeName == afterName &&
                                                        std::string_view(before.type) < after.type);
        EXPECT_TRUE(inOrder) << before.name << '.' << before.type << " then " << after.name << '.'
                             << after.type;
    }
}

TEST(EmbeddedResourceTable, EveryEntryIsFoundByItsOwnNameAndType) {
    for (std::size_t i = 0; i < embeddedResourceCount; ++i) {
        const EmbeddedResource& entry = embeddedResourceTable[i];
        EXPECT_EQ(findEmbeddedResource(entry.name, entry.type), &entry) << entry.name;
        const EmbeddedResource* anyType = findEmbeddedResource(entry.name, "");
        ASSERT_NE(anyType, nullptr) << entry.name;
        EXPECT_STREQ(anyType->name, entry.name);
    }
}

}  // namespace
