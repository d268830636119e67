// The built plug-in, loaded the way a host loads it and reached only through its record.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AEffect.h"
#include "PluginLibrary.h"

namespace {

struct HostLog {
    std::vector<VstInt32> opcodes;
    VstIntPtr versionAnswer = 2400;
};
HostLog hostLog;

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    hostLog.opcodes.push_back(opcode);
    return opcode == audioMasterVersion ? hostLog.versionAnswer : 0;
}

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 256> chunk;
        while (fgets(chunk.data(), chunk.size(), pipe) != nullptr) output += chunk.data();
        pclose(pipe);
    }
    return output;
}

class LoadedPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        library = std::make_unique<PluginLibrary>(ZV_PLUGIN_PATH);
        hostLog = HostLog{};
    }

    AEffect* instantiate() {
        AEffect* effect = library->instantiate(host);
        EXPECT_NE(effect, nullptr);
        return effect;
    }
    static VstIntPtr call(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                          void* ptr = nullptr, float opt = 0.0f) {
        return e->dispatcher(e, opcode, index, value, ptr, opt);
    }
    static std::string text(AEffect* e, VstInt32 opcode, VstInt32 index = 0) {
        char buffer[256];
        std::memset(buffer, 0, sizeof(buffer));
        call(e, opcode, index, 0, buffer);
        return buffer;
    }

    std::unique_ptr<PluginLibrary> library;
};
}  // namespace

TEST_F(LoadedPlugin, ExportsOnlyTheEntryPoint) {
    const std::string symbols = commandOutput(std::string("nm -D --defined-only ") +
                                              ZV_PLUGIN_PATH + " | awk '{print $3}'");
    EXPECT_EQ(symbols, "VSTPluginMain\n");
}

TEST_F(LoadedPlugin, CarriesItsOwnCppRuntime) {
#ifdef ZV_SANITIZED
    GTEST_SKIP() << "a sanitized build takes its C++ runtime from the executable";
#endif
    const std::string needed = commandOutput(std::string("readelf -d ") + ZV_PLUGIN_PATH);
    EXPECT_EQ(needed.find("libstdc++"), std::string::npos) << needed;
    EXPECT_EQ(needed.find("libgcc_s"), std::string::npos) << needed;
}

TEST_F(LoadedPlugin, HostThatRefusesTheVersionQueryGetsNoInstance) {
    hostLog.versionAnswer = 0;
    EXPECT_EQ(library->instantiate(host), nullptr);
    EXPECT_EQ(hostLog.opcodes, std::vector<VstInt32>{audioMasterVersion});
    EXPECT_EQ(library->instantiate(nullptr), nullptr);
}

TEST_F(LoadedPlugin, RecordDescribesTheEffect) {
    AEffect* e = instantiate();
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numPrograms, 26);
    EXPECT_EQ(e->numParams, 9);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsCanReplacing | effFlagsHasEditor);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->user, nullptr);
    EXPECT_NE(e->object, nullptr);
    EXPECT_EQ(e->uniqueID, 0x5A764438);  // "ZvD8"
    EXPECT_EQ(call(e, effClose), 1);
}

TEST_F(LoadedPlugin, AnswersIdentityOpcodes) {
    AEffect* e = instantiate();
    EXPECT_EQ(call(e, effIdentify), 0x4E764566);
    EXPECT_EQ(call(e, effGetVstVersion), 2400);
    EXPECT_EQ(call(e, effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(call(e, effGetVendorVersion), 1000);
    EXPECT_EQ(text(e, effGetEffectName), "ZvDelay32");
    EXPECT_EQ(text(e, effGetVendorString), "Zelvano Music");
    EXPECT_EQ(text(e, effGetProductString), "Zelvano's Delay 32-Bit");
    char capability[] = "receiveVstMidiEvent";
    EXPECT_EQ(call(e, effCanDo, 0, 0, capability), -1);
    EXPECT_EQ(call(e, effCanBeAutomated, 3), 1);
    VstPinProperties pin{};
    EXPECT_EQ(call(e, effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "ZvDy 1");
    EXPECT_EQ(call(e, effGetInputProperties, 0, 0, &pin), 0);
    EXPECT_EQ(call(e, effGetChunk, 0, 0, nullptr), 0);
    EXPECT_EQ(call(e, effClose), 1);
}

TEST_F(LoadedPlugin, ParametersAndProgramsWorkThroughTheRecord) {
    AEffect* e = instantiate();
    EXPECT_EQ(text(e, effGetParamName, 5), "highPass Type");
    EXPECT_EQ(text(e, effGetParamLabel, 0), "samples");
    EXPECT_EQ(text(e, effGetParamDisplay, 0), "3526");
    e->setParameter(e, 8, 0.25f);
    EXPECT_EQ(e->getParameter(e, 8), 0.25f);
    EXPECT_EQ(text(e, effGetParamDisplay, 8), "0.250000");

    call(e, effSetProgram, 0, 25);
    EXPECT_EQ(call(e, effGetProgram), 25);
    EXPECT_EQ(text(e, effGetProgramName), "Punk");
    call(e, effSetProgram, 0, 26);
    EXPECT_EQ(call(e, effGetProgram), 25);
    char name[] = "My Punk";
    call(e, effSetProgramName, 0, 0, name);
    EXPECT_EQ(text(e, effGetProgramName), "My Punk");
    char listed[32] = {};
    EXPECT_EQ(call(e, effGetProgramNameIndexed, 20, 0, listed), 1);
    EXPECT_STREQ(listed, "Repeat After Me");
    EXPECT_EQ(call(e, effGetProgramNameIndexed, 26, 0, listed), 0);
    EXPECT_EQ(call(e, effClose), 1);
}

TEST_F(LoadedPlugin, RunsAudioInTheHostsOrderOfCalls) {
    AEffect* e = instantiate();
    call(e, effOpen);
    call(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    call(e, effSetBlockSize, 0, 256);
    call(e, effMainsChanged, 0, 1);
    // Plain echo: no filters, no feedback.
    e->setParameter(e, 1, 0.0f);
    e->setParameter(e, 2, 0.0f);
    e->setParameter(e, 3, 0.0f);

    std::vector<float> inL(8192), inR(8192), outL(8192), outR(8192);
    inL[10] = 0.5f;
    for (int start = 0; start < 8192; start += 256) {
        float* in[2] = {&inL[start], &inR[start]};
        float* out[2] = {&outL[start], &outR[start]};
        e->processReplacing(e, in, out, 256);
    }
    EXPECT_EQ(text(e, effGetParamDisplay, 0), "3838");
    EXPECT_EQ(outL[10], 0.5f);
    EXPECT_EQ(outR[10 + 3838], 0.5f);
    call(e, effMainsChanged, 0, 0);
    call(e, effClose);
    // Nothing in that sequence needed anything from the host beyond the version.
    EXPECT_EQ(hostLog.opcodes, std::vector<VstInt32>{audioMasterVersion});
}

TEST_F(LoadedPlugin, InstancesShareNoState) {
    AEffect* a = instantiate();
    AEffect* b = instantiate();
    a->setParameter(a, 1, 0.9f);
    call(a, effSetProgram, 0, 4);
    EXPECT_EQ(b->getParameter(b, 1), 0.215f);
    EXPECT_EQ(call(b, effGetProgram), 0);
    call(a, effClose);
    EXPECT_EQ(text(b, effGetProgramName), "SlapBack");
    call(b, effClose);
}

TEST_F(LoadedPlugin, EditorOpcodesReachTheEditor) {
    AEffect* e = instantiate();
    ERect* rect = nullptr;
    ASSERT_EQ(call(e, effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->bottom, 400);
    EXPECT_EQ(rect->right, 344);
    EXPECT_EQ(call(e, effEditOpen, 0, 0, nullptr), 1);  // a null handle shows nothing
    EXPECT_EQ(call(e, effEditIdle), 0);
    EXPECT_EQ(call(e, effEditClose), 0);
    EXPECT_EQ(call(e, effEditKeyDown, 'a', 0x141, nullptr, 1.9f), 0);
    EXPECT_EQ(call(e, effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(call(e, effClose), 1);
}
