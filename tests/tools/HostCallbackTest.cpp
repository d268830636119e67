#include "HostCallback.h"
#include "PluginInfo.h"

#include <gtest/gtest.h>

using namespace zvhost;

TEST(HostCallback, AnswersVersion2400EvenBeforeAnyEffectExists) {
    EXPECT_EQ(hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
}

TEST(HostCallback, ReportsTheRateAndBlockSizeTheRenderUses) {
    HostState saved = hostState();
    hostState().sampleRate = 96000.0f;
    hostState().blockSize = 300;
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 96000);
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 300);
    hostState() = saved;
}

TEST(HostCallback, SaysBothStereoPinsAreConnectedUsingTheInvertedConvention) {
    EXPECT_EQ(hostCallback(nullptr, audioMasterPinConnected, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(hostCallback(nullptr, audioMasterPinConnected, 1, 1, nullptr, 0.0f), 0);
    EXPECT_NE(hostCallback(nullptr, audioMasterPinConnected, 2, 0, nullptr, 0.0f), 0);
}

TEST(PluginInfo, IdentifiersPrintAsFourCharactersWhenTheyAre) {
    EXPECT_EQ(fourCharacters(fourCharacterCode('Z', 'v', 'D', '8')), "ZvD8");
    EXPECT_EQ(fourCharacters(1), "0x00000001");
    EXPECT_EQ(fourCharacters(-1), "0xFFFFFFFF");
}
