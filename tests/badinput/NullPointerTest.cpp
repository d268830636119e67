// A host that passes no buffer where one belongs. Every opcode that takes a pointer is sent a
// null one, with every kind of index a host might pair it with, and the instance carries on.
#include <array>
#include <vector>

#include "HostileHostCase.h"

namespace {
struct PointerOpcode {
    VstInt32 opcode;
    const char* name;
};

const PointerOpcode kPointerOpcodes[] = {
    {effSetProgramName, "SetProgramName"},
    {effGetProgramName, "GetProgramName"},
    {effGetParamLabel, "GetParamLabel"},
    {effGetParamDisplay, "GetParamDisplay"},
    {effGetParamName, "GetParamName"},
    {effEditGetRect, "EditGetRect"},
    {effEditOpen, "EditOpen"},
    {effGetChunk, "GetChunk"},
    {effSetChunk, "SetChunk"},
    {effProcessEvents, "ProcessEvents"},
    {effString2Parameter, "String2Parameter"},
    {effGetProgramNameIndexed, "GetProgramNameIndexed"},
    {effGetInputProperties, "GetInputProperties"},
    {effGetOutputProperties, "GetOutputProperties"},
    {effOfflineNotify, "OfflineNotify"},
    {effOfflinePrepare, "OfflinePrepare"},
    {effOfflineRun, "OfflineRun"},
    {effProcessVarIo, "ProcessVarIo"},
    {effSetSpeakerArrangement, "SetSpeakerArrangement"},
    {effGetEffectName, "GetEffectName"},
    {effGetVendorString, "GetVendorString"},
    {effGetProductString, "GetProductString"},
    {effVendorSpecific, "VendorSpecific"},
    {effCanDo, "CanDo"},
    {effGetParameterProperties, "GetParameterProperties"},
    {effGetMidiProgramName, "GetMidiProgramName"},
    {effGetCurrentMidiProgram, "GetCurrentMidiProgram"},
    {effGetMidiProgramCategory, "GetMidiProgramCategory"},
    {effGetMidiKeyName, "GetMidiKeyName"},
    {effGetSpeakerArrangement, "GetSpeakerArrangement"},
    {effShellGetNextPlugin, "ShellGetNextPlugin"},
    {effBeginLoadBank, "BeginLoadBank"},
    {effBeginLoadProgram, "BeginLoadProgram"},
};

using NullPointers = HostileHostCase;

// One block from these inputs writes silence over both outputs, whatever they held.
void expectSilenceFrom(const HostedEffect& effect, float** inputs) {
    std::vector<float> left(64, 7.0f), right(64, 7.0f);
    float* outputs[2] = {left.data(), right.data()};
    effect.process(inputs, outputs, 64);
    EXPECT_EQ(left, std::vector<float>(64, 0.0f));
    EXPECT_EQ(right, std::vector<float>(64, 0.0f));
}

class NullPointer : public HostileHostCase, public ::testing::WithParamInterface<PointerOpcode> {};
}  // namespace

TEST_P(NullPointer, IsIgnoredWhateverTheIndex) {
    // Value 0 as well: two opcodes take a second pointer in it.
    for (VstInt32 index : {-1, 0, 1, 8, 9, 25, 26}) {
        effect.call(GetParam().opcode, index, 0, nullptr, 0.0f);
    }
    expectEchoComesBack();
}

INSTANTIATE_TEST_SUITE_P(EveryOpcodeTakingAPointer, NullPointer,
                         ::testing::ValuesIn(kPointerOpcodes),
                         [](const ::testing::TestParamInfo<PointerOpcode>& testCase) {
                             return std::string(testCase.param.name);
                         });

TEST_F(NullPointers, GettersDoNotClaimToHaveFilledANullBuffer) {
    for (VstInt32 opcode : {effGetProgramNameIndexed, effGetOutputProperties, effGetInputProperties,
                            effGetMidiKeyName, effGetParameterProperties}) {
        for (VstInt32 index : {0, 1}) {
            EXPECT_EQ(effect.call(opcode, index, 0, nullptr), 0) << "opcode " << opcode;
        }
    }
}

TEST_F(NullPointers, SpeakerArrangementOpcodesTakeANullInEitherPointer) {
    VstSpeakerArrangement* slot = reinterpret_cast<VstSpeakerArrangement*>(&slot);
    effect.call(effGetSpeakerArrangement, 0, 0, &slot);
    EXPECT_EQ(slot, nullptr);
    slot = reinterpret_cast<VstSpeakerArrangement*>(&slot);
    effect.call(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&slot), nullptr);
    EXPECT_EQ(slot, nullptr);
    VstSpeakerArrangement arrangement{};
    effect.call(effSetSpeakerArrangement, 0, 0, &arrangement);
    effect.call(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&arrangement), nullptr);
    expectEchoComesBack();
}

TEST_F(NullPointers, ProcessWithoutAnyChannelArraysTouchesNothing) {
    std::vector<float> left(64, 7.0f);
    float* channels[2] = {left.data(), left.data()};
    effect.process(nullptr, nullptr, 64);
    effect.process(channels, nullptr, 64);
    EXPECT_EQ(left, std::vector<float>(64, 7.0f));
    expectEchoComesBack();
}

TEST_F(NullPointers, ProcessWithoutInputsGivesSilence) {
    expectSilenceFrom(effect, nullptr);
    expectEchoComesBack();
}

TEST_F(NullPointers, ProcessWithOneInputChannelMissingGivesSilence) {
    std::vector<float> in(64, 0.25f);
    float* inputs[2] = {in.data(), nullptr};
    expectSilenceFrom(effect, inputs);
    expectEchoComesBack();
}

TEST_F(NullPointers, ProcessWithOneOutputChannelMissingWritesOnlyTheOther) {
    std::vector<float> in(64, 0.25f), left(64, 7.0f);
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {left.data(), nullptr};
    effect.process(inputs, outputs, 64);
    EXPECT_EQ(left, std::vector<float>(64, 0.0f));
    EXPECT_EQ(in, std::vector<float>(64, 0.25f));
    expectEchoComesBack();
}

TEST_F(NullPointers, AccumulatingAndDoublePrecisionEntriesTouchNoBuffer) {
    std::vector<float> in(64, 0.25f), out(64, 7.0f);
    std::vector<double> inDouble(64, 0.25), outDouble(64, 7.0);
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {out.data(), out.data()};
    double* inputsDouble[2] = {inDouble.data(), inDouble.data()};
    double* outputsDouble[2] = {outDouble.data(), outDouble.data()};
    AEffect* e = effect.record();
    e->process(e, inputs, outputs, 64);
    e->process(e, nullptr, nullptr, 64);
    e->processDoubleReplacing(e, inputsDouble, outputsDouble, 64);
    e->processDoubleReplacing(e, nullptr, nullptr, 64);
    EXPECT_EQ(out, std::vector<float>(64, 7.0f));
    EXPECT_EQ(outDouble, std::vector<double>(64, 7.0));
    expectEchoComesBack();
}

TEST_F(NullPointers, EntryFunctionsGivenANullRecordDoNothing) {
    AEffect* e = effect.record();
    EXPECT_EQ(e->dispatcher(nullptr, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(nullptr, effClose, 0, 0, nullptr, 0.0f), 0);
    e->setParameter(nullptr, kMix, 0.5f);
    EXPECT_EQ(e->getParameter(nullptr, kMix), 0.0f);
    e->processReplacing(nullptr, nullptr, nullptr, 64);
    e->process(nullptr, nullptr, nullptr, 64);
    e->processDoubleReplacing(nullptr, nullptr, nullptr, 64);
    EXPECT_EQ(effect.get(kMix), 1.0f);
    expectEchoComesBack();
}

TEST(PluginEntryPoint, WithoutAHostCallbackGivesNoInstance) {
    PluginLibrary library(ZV_PLUGIN_PATH);
    HostedEffect none(library.instantiate(nullptr));
    EXPECT_FALSE(none);
}
