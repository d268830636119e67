#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "AudioEffectX.h"

namespace {

struct HostCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

// A host that records every request and answers from a table (0 for anything not in it).
struct RecordingHost {
    static std::vector<HostCall> calls;
    static std::map<VstInt32, VstIntPtr> answers;

    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt) {
        calls.push_back({effect, opcode, index, value, ptr, opt});
        const auto found = answers.find(opcode);
        return found == answers.end() ? 0 : found->second;
    }
};
std::vector<HostCall> RecordingHost::calls;
std::map<VstInt32, VstIntPtr> RecordingHost::answers;

struct ParameterSet {
    VstInt32 index;
    float value;
    std::size_t hostCallsBefore;
};

class ServiceEffect : public AudioEffectX {
public:
    explicit ServiceEffect(audioMasterCallback host) : AudioEffectX(host, 1, 4) {}
    void processReplacing(float**, float**, VstInt32) override {}

    void setParameter(VstInt32 index, float value) override {
        parameterSets.push_back({index, value, RecordingHost::calls.size()});
    }
    VstInt32 canDo(char* text) override {
        canDoAsked.emplace_back(text);
        return canDoAnswer;
    }

    std::vector<ParameterSet> parameterSets;
    std::vector<std::string> canDoAsked;
    VstInt32 canDoAnswer = 0;
};

class HostServices : public ::testing::Test {
protected:
    void SetUp() override {
        RecordingHost::calls.clear();
        RecordingHost::answers.clear();
    }
    void answer(VstInt32 opcode, VstIntPtr value) { RecordingHost::answers[opcode] = value; }
    const std::vector<HostCall>& calls() const { return RecordingHost::calls; }

    ServiceEffect effect{RecordingHost::callback};
    ServiceEffect unhosted{nullptr};
};

template <typename T>
T* fakePointer(std::uintptr_t address) {
    return reinterpret_cast<T*>(address);
}

}  // namespace

// ---- what the host receives ----

TEST_F(HostServices, EachServiceSendsItsOpcodeAndArgumentsWithTheEffectsRecord) {
    auto* task = fakePointer<VstOfflineTask>(0x1000);
    auto* files = fakePointer<VstAudioFile>(0x2000);
    auto* events = fakePointer<VstEvents>(0x3000);
    auto* selector = fakePointer<VstFileSelect>(0x4000);
    void* window = fakePointer<void>(0x5000);
    char text[] = "sizeWindow";
    struct Expected {
        const char* name;
        std::function<void()> call;
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        void* ptr;
        float opt;
    };
    ServiceEffect& e = effect;
    const Expected cases[] = {
        {"getMasterVersion", [&] { e.getMasterVersion(); }, 1, 0, 0, nullptr, 0.0f},
        {"getCurrentUniqueId", [&] { e.getCurrentUniqueId(); }, 2, 0, 0, nullptr, 0.0f},
        {"masterIdle", [&] { e.masterIdle(); }, 3, 0, 0, nullptr, 0.0f},
        {"isInputConnected", [&] { e.isInputConnected(5); }, 4, 5, 0, nullptr, 0.0f},
        {"isOutputConnected", [&] { e.isOutputConnected(6); }, 4, 6, 1, nullptr, 0.0f},
        {"wantEvents", [&] { e.wantEvents(7); }, 6, 0, 7, nullptr, 0.0f},
        {"getTimeInfo", [&] { e.getTimeInfo(0x2A); }, 7, 0, 0x2A, nullptr, 0.0f},
        {"sendVstEventsToHost", [&] { e.sendVstEventsToHost(events); }, 8, 0, 0, events, 0.0f},
        {"tempoAt", [&] { e.tempoAt(9000); }, 10, 0, 9000, nullptr, 0.0f},
        {"getNumAutomatableParameters", [&] { e.getNumAutomatableParameters(); }, 11, 0, 0, nullptr,
         0.0f},
        {"getParameterQuantization", [&] { e.getParameterQuantization(); }, 12, 0, 0, nullptr,
         0.0f},
        {"ioChanged", [&] { e.ioChanged(); }, 13, 0, 0, nullptr, 0.0f},
        {"needIdle", [&] { e.needIdle(); }, 14, 0, 0, nullptr, 0.0f},
        {"sizeWindow", [&] { e.sizeWindow(344, 400); }, 15, 344, 400, nullptr, 0.0f},
        {"updateSampleRate", [&] { e.updateSampleRate(); }, 16, 0, 0, nullptr, 0.0f},
        {"updateBlockSize", [&] { e.updateBlockSize(); }, 17, 0, 0, nullptr, 0.0f},
        {"getInputLatency", [&] { e.getInputLatency(); }, 18, 0, 0, nullptr, 0.0f},
        {"getOutputLatency", [&] { e.getOutputLatency(); }, 19, 0, 0, nullptr, 0.0f},
        {"getPreviousPlug", [&] { e.getPreviousPlug(3); }, 20, 0, 0, nullptr, 0.0f},
        {"getNextPlug", [&] { e.getNextPlug(3); }, 21, 0, 0, nullptr, 0.0f},
        {"willProcessReplacing", [&] { e.willProcessReplacing(); }, 22, 0, 0, nullptr, 0.0f},
        {"getCurrentProcessLevel", [&] { e.getCurrentProcessLevel(); }, 23, 0, 0, nullptr, 0.0f},
        {"getAutomationState", [&] { e.getAutomationState(); }, 24, 0, 0, nullptr, 0.0f},
        {"offlineStart", [&] { e.offlineStart(files, 4, 2); }, 25, 2, 4, files, 0.0f},
        {"offlineRead", [&] { e.offlineRead(task, 11, true); }, 26, 1, 11, task, 0.0f},
        {"offlineRead without source", [&] { e.offlineRead(task, 11, false); }, 26, 0, 11, task,
         0.0f},
        {"offlineWrite", [&] { e.offlineWrite(task, 12); }, 27, 0, 12, task, 0.0f},
        {"offlineGetCurrentPass", [&] { e.offlineGetCurrentPass(); }, 28, 0, 0, nullptr, 0.0f},
        {"offlineGetCurrentMetaPass", [&] { e.offlineGetCurrentMetaPass(); }, 29, 0, 0, nullptr,
         0.0f},
        {"setOutputSamplerate", [&] { e.setOutputSamplerate(96000.0f); }, 30, 0, 0, nullptr,
         96000.0f},
        {"getOutputSpeakerArrangement", [&] { e.getOutputSpeakerArrangement(); }, 31, 0, 0, nullptr,
         0.0f},
        {"getHostVendorString", [&] { e.getHostVendorString(text); }, 32, 0, 0, text, 0.0f},
        {"getHostProductString", [&] { e.getHostProductString(text); }, 33, 0, 0, text, 0.0f},
        {"getHostVendorVersion", [&] { e.getHostVendorVersion(); }, 34, 0, 0, nullptr, 0.0f},
        {"hostVendorSpecific", [&] { e.hostVendorSpecific(-3, 77, window, 0.25f); }, 35, -3, 77,
         window, 0.25f},
        {"canHostDo", [&] { e.canHostDo(text); }, 37, 0, 0, text, 0.0f},
        {"getHostLanguage", [&] { e.getHostLanguage(); }, 38, 0, 0, nullptr, 0.0f},
        {"openWindow", [&] { e.openWindow(window); }, 39, 0, 0, window, 0.0f},
        {"closeWindow", [&] { e.closeWindow(window); }, 40, 0, 0, window, 0.0f},
        {"getDirectory", [&] { e.getDirectory(); }, 41, 0, 0, nullptr, 0.0f},
        {"updateDisplay", [&] { e.updateDisplay(); }, 42, 0, 0, nullptr, 0.0f},
        {"beginEdit", [&] { e.beginEdit(8); }, 43, 8, 0, nullptr, 0.0f},
        {"endEdit", [&] { e.endEdit(8); }, 44, 8, 0, nullptr, 0.0f},
        {"openFileSelector", [&] { e.openFileSelector(selector); }, 45, 0, 0, selector, 0.0f},
        {"closeFileSelector", [&] { e.closeFileSelector(selector); }, 46, 0, 0, selector, 0.0f},
        {"getChunkFile", [&] { e.getChunkFile(window); }, 48, 0, 0, window, 0.0f},
        {"getInputSpeakerArrangement", [&] { e.getInputSpeakerArrangement(); }, 49, 0, 0, nullptr,
         0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingHost::calls.clear();
        c.call();
        ASSERT_EQ(calls().size(), 1u);
        const HostCall& sent = calls().front();
        EXPECT_EQ(sent.effect, effect.getAeffect());
        EXPECT_EQ(sent.opcode, c.opcode);
        EXPECT_EQ(sent.index, c.index);
        EXPECT_EQ(sent.value, c.value);
        EXPECT_EQ(sent.ptr, c.ptr);
        EXPECT_EQ(sent.opt, c.opt);
    }
}

TEST_F(HostServices, AutomationSetsTheParameterFirstThenTellsTheHost) {
    effect.setParameterAutomated(3, 0.5f);
    ASSERT_EQ(effect.parameterSets.size(), 1u);
    EXPECT_EQ(effect.parameterSets[0].index, 3);
    EXPECT_EQ(effect.parameterSets[0].value, 0.5f);
    EXPECT_EQ(effect.parameterSets[0].hostCallsBefore, 0u);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].effect, effect.getAeffect());
    EXPECT_EQ(calls()[0].opcode, audioMasterAutomate);
    EXPECT_EQ(calls()[0].index, 3);
    EXPECT_EQ(calls()[0].value, 0);
    EXPECT_EQ(calls()[0].ptr, nullptr);
    EXPECT_EQ(calls()[0].opt, 0.5f);
}

TEST_F(HostServices, FileRequestsWithoutAnObjectDoNotReachTheHost) {
    answer(audioMasterOpenFileSelector, 1);
    answer(audioMasterCloseFileSelector, 1);
    answer(audioMasterGetChunkFile, 1);
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_FALSE(effect.closeFileSelector(nullptr));
    EXPECT_FALSE(effect.getChunkFile(nullptr));
    EXPECT_TRUE(calls().empty());
}

// ---- how the answers are read ----

TEST_F(HostServices, MasterVersionIsOneWhenTheHostAnswersZero) {
    EXPECT_EQ(effect.getMasterVersion(), 1);
    answer(audioMasterVersion, 2400);
    EXPECT_EQ(effect.getMasterVersion(), 2400);
}

TEST_F(HostServices, PinsAreConnectedWhenTheHostAnswersZero) {
    EXPECT_TRUE(effect.isInputConnected(0));
    EXPECT_TRUE(effect.isOutputConnected(1));
    answer(audioMasterPinConnected, 1);
    EXPECT_FALSE(effect.isInputConnected(0));
    EXPECT_FALSE(effect.isOutputConnected(1));
}

TEST_F(HostServices, YesNoAnswersAreTrueForAnyNonZeroAnswer) {
    char text[] = "x";
    const std::vector<std::pair<VstInt32, std::function<bool()>>> services = {
        {audioMasterIOChanged, [&] { return effect.ioChanged(); }},
        {audioMasterNeedIdle, [&] { return effect.needIdle(); }},
        {audioMasterSizeWindow, [&] { return effect.sizeWindow(1, 2); }},
        {audioMasterOfflineStart, [&] { return effect.offlineStart(nullptr, 0, 0); }},
        {audioMasterOfflineRead, [&] { return effect.offlineRead(nullptr, 0); }},
        {audioMasterOfflineWrite, [&] { return effect.offlineWrite(nullptr, 0); }},
        {audioMasterGetVendorString, [&] { return effect.getHostVendorString(text); }},
        {audioMasterGetProductString, [&] { return effect.getHostProductString(text); }},
        {audioMasterCloseWindow, [&] { return effect.closeWindow(nullptr); }},
        {audioMasterUpdateDisplay, [&] { return effect.updateDisplay(); }},
        {audioMasterBeginEdit, [&] { return effect.beginEdit(0); }},
        {audioMasterEndEdit, [&] { return effect.endEdit(0); }},
        {audioMasterOpenFileSelector,
         [&] { return effect.openFileSelector(fakePointer<VstFileSelect>(0x10)); }},
        {audioMasterCloseFileSelector,
         [&] { return effect.closeFileSelector(fakePointer<VstFileSelect>(0x10)); }},
        {audioMasterGetChunkFile, [&] { return effect.getChunkFile(text); }},
    };
    for (const auto& [opcode, service] : services) {
        SCOPED_TRACE(opcode);
        answer(opcode, 0);
        EXPECT_FALSE(service());
        answer(opcode, -1);
        EXPECT_TRUE(service());
        answer(opcode, 2);
        EXPECT_TRUE(service());
    }
}

TEST_F(HostServices, OneOrZeroAnswersSquashAnyNonZeroAnswerToOne) {
    char text[] = "sizeWindow";
    answer(audioMasterCanDo, -1);
    EXPECT_EQ(effect.canHostDo(text), 1);
    answer(audioMasterCanDo, 0);
    EXPECT_EQ(effect.canHostDo(text), 0);
    answer(audioMasterOfflineGetCurrentPass, 5);
    EXPECT_EQ(effect.offlineGetCurrentPass(), 1);
    answer(audioMasterOfflineGetCurrentMetaPass, -2);
    EXPECT_EQ(effect.offlineGetCurrentMetaPass(), 1);
}

TEST_F(HostServices, EventsCountAsSentOnlyWhenTheHostAnswersExactlyOne) {
    answer(audioMasterProcessEvents, 1);
    EXPECT_TRUE(effect.sendVstEventsToHost(nullptr));
    answer(audioMasterProcessEvents, 2);
    EXPECT_FALSE(effect.sendVstEventsToHost(nullptr));
    answer(audioMasterProcessEvents, -1);
    EXPECT_FALSE(effect.sendVstEventsToHost(nullptr));
}

TEST_F(HostServices, ValueAndPointerAnswersArePassedOnUnchanged) {
    answer(audioMasterTempoAt, -7);
    answer(audioMasterGetOutputLatency, -128);
    answer(audioMasterVendorSpecific, -99);
    answer(audioMasterOpenWindow, 17);
    answer(audioMasterGetTime, 0x1230);
    answer(audioMasterGetNextPlug, 0x3450);
    answer(audioMasterGetInputSpeakerArrangement, 0x5670);
    EXPECT_EQ(effect.tempoAt(0), -7);
    EXPECT_EQ(effect.getOutputLatency(), -128);
    EXPECT_EQ(effect.hostVendorSpecific(0, 0, nullptr, 0.0f), -99);
    EXPECT_EQ(effect.openWindow(nullptr), 17);
    EXPECT_EQ(effect.getTimeInfo(0), fakePointer<VstTimeInfo>(0x1230));
    EXPECT_EQ(effect.getNextPlug(0), fakePointer<AEffect>(0x3450));
    EXPECT_EQ(effect.getInputSpeakerArrangement(), fakePointer<VstSpeakerArrangement>(0x5670));
}

TEST_F(HostServices, OnlyAPositiveSampleRateFromTheHostIsKept) {
    answer(audioMasterGetSampleRate, 0);
    EXPECT_EQ(effect.updateSampleRate(), 44100.0);
    answer(audioMasterGetSampleRate, -1);
    EXPECT_EQ(effect.updateSampleRate(), 44100.0);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    answer(audioMasterGetSampleRate, 48000);
    EXPECT_EQ(effect.updateSampleRate(), 48000.0);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    answer(audioMasterGetSampleRate, 0);
    EXPECT_EQ(effect.updateSampleRate(), 48000.0) << "a refusal keeps the last rate";
}

TEST_F(HostServices, OnlyAPositiveBlockSizeFromTheHostIsKept) {
    answer(audioMasterGetBlockSize, 0);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
    answer(audioMasterGetBlockSize, -64);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
    answer(audioMasterGetBlockSize, 512);
    EXPECT_EQ(effect.updateBlockSize(), 512);
    EXPECT_EQ(effect.getBlockSize(), 512);
    if constexpr (sizeof(VstIntPtr) > sizeof(VstInt32)) {
        // Would wrap to 5 if narrowed blindly.
        answer(audioMasterGetBlockSize, static_cast<VstIntPtr>((std::int64_t{1} << 32) + 5));
        EXPECT_EQ(effect.updateBlockSize(), 512);
    }
}

// ---- without a host ----

TEST_F(HostServices, WithoutAHostEveryServiceAnswersItsFallBack) {
    ServiceEffect& e = unhosted;
    char text[] = "sizeWindow";
    EXPECT_EQ(e.getMasterVersion(), 1);
    EXPECT_TRUE(e.isInputConnected(0));
    EXPECT_TRUE(e.isOutputConnected(0));
    EXPECT_EQ(e.getTimeInfo(0), nullptr);
    EXPECT_FALSE(e.sendVstEventsToHost(fakePointer<VstEvents>(0x10)));
    EXPECT_EQ(e.updateSampleRate(), 44100.0);
    EXPECT_EQ(e.updateBlockSize(), 1024);
    EXPECT_EQ(e.canHostDo(text), 0);
    EXPECT_FALSE(e.getHostVendorString(text));
    EXPECT_STREQ(text, "sizeWindow") << "nothing is written into the text";
    EXPECT_FALSE(e.sizeWindow(344, 400));
    EXPECT_EQ(e.getCurrentUniqueId(), 0);
    EXPECT_EQ(e.getPreviousPlug(0), nullptr);
    EXPECT_EQ(e.offlineGetCurrentPass(), 0);
    EXPECT_FALSE(e.openFileSelector(fakePointer<VstFileSelect>(0x10)));
    e.masterIdle();
    e.wantEvents(1);
}

TEST_F(HostServices, WithoutAHostAutomationStillSetsTheParameter) {
    unhosted.setParameterAutomated(2, 0.25f);
    ASSERT_EQ(unhosted.parameterSets.size(), 1u);
    EXPECT_EQ(unhosted.parameterSets[0].index, 2);
    EXPECT_EQ(unhosted.parameterSets[0].value, 0.25f);
}

// ---- resume ----

TEST_F(HostServices, ResumeAsksForMidiOnlyWhenTheEffectTakesMidiEvents) {
    effect.resume();
    EXPECT_EQ(effect.canDoAsked, std::vector<std::string>{"receiveVstMidiEvent"});
    EXPECT_TRUE(calls().empty());

    effect.canDoAnswer = -1;
    effect.resume();
    effect.canDoAnswer = 2;
    effect.resume();
    EXPECT_TRUE(calls().empty()) << "only an answer of exactly 1 counts as yes";

    effect.canDoAnswer = 1;
    effect.resume();
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(calls()[0].value, 1);
}

TEST_F(HostServices, ResumeOfASynthAsksForMidiWithoutAskingItself) {
    effect.isSynth(true);
    effect.resume();
    EXPECT_TRUE(effect.canDoAsked.empty());
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(calls()[0].value, 1);
}
