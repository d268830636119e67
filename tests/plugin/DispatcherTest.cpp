// How opcodes reach the operations of the two base classes, and how the record's entry
// functions reach the object behind it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AudioEffectX.h"

namespace {
// An effect that writes down which operations the dispatchers call, and with what.
class RecordingEffect : public AudioEffectX {
public:
    explicit RecordingEffect(bool* destroyed = nullptr)
        : AudioEffectX(nullptr, 26, 9), destroyedFlag(destroyed) {}
    ~RecordingEffect() override {
        if (destroyedFlag != nullptr) *destroyedFlag = true;
    }
    void processReplacing(float**, float**, VstInt32) override {}

    void open() override { calls.push_back("open"); }
    void close() override { calls.push_back("close"); }
    void suspend() override { calls.push_back("suspend"); }
    void resume() override { calls.push_back("resume"); }
    void setProgram(VstInt32 program) override {
        calls.push_back("setProgram " + std::to_string(program));
    }
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char*) override {
        calls.push_back("getProgramNameIndexed " + std::to_string(category) + " " +
                        std::to_string(index));
        return true;
    }
    VstInt32 setChunk(void*, VstInt32 byteSize, bool isPreset) override {
        calls.push_back("setChunk " + std::to_string(byteSize) + (isPreset ? " preset" : " bank"));
        return -7;
    }

    std::vector<std::string> calls;
    bool* destroyedFlag;
};

// An editor that writes down the keys it is given.
class RecordingEditor : public AEffEditor {
public:
    RecordingEditor(AudioEffect* owner, bool* destroyed)
        : AEffEditor(owner), destroyedFlag(destroyed) {}
    ~RecordingEditor() override { *destroyedFlag = true; }
    bool onKeyDown(VstKeyCode& key) override {
        last = key;
        return true;
    }
    bool setKnobMode(VstInt32 mode) override { return mode == 2; }
    VstKeyCode last{};
    bool* destroyedFlag;
};

VstIntPtr dispatch(AudioEffect& effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f) {
    AEffect* record = effect.getAeffect();
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}
}  // namespace

TEST(Dispatcher, AnswersItsFixedQuestions) {
    RecordingEffect effect;
    EXPECT_EQ(dispatch(effect, effIdentify), 0x4E764566);
    EXPECT_EQ(dispatch(effect, effGetVstVersion), 2400);
    EXPECT_EQ(dispatch(effect, effCanBeAutomated, 5), 1);
    EXPECT_EQ(dispatch(effect, effCanBeAutomated, -5), 1);
    EXPECT_EQ(dispatch(effect, effGetCurrentMidiProgram), -1);
    EXPECT_EQ(dispatch(effect, effSetTotalSampleToProcess, 0, 4096), 4096);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategUnknown);
    effect.isSynth(true);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), kPlugCategSynth);
}

TEST(Dispatcher, UnlistedAndDeprecatedOpcodesAnswerZero) {
    RecordingEffect effect;
    for (VstInt32 opcode : {-5, -1, 9,  16, 17, 18, 20, 21, 28, 30, 31,  32,
                            36, 37, 43, 46, 53, 54, 55, 57, 80, 90, 1000}) {
        EXPECT_EQ(dispatch(effect, opcode, 1, 1, nullptr, 1.0f), 0) << opcode;
    }
    EXPECT_TRUE(effect.calls.empty());
}

TEST(Dispatcher, SelectsProgramsBelowTheCountOnly) {
    RecordingEffect effect;
    dispatch(effect, effSetProgram, 0, 26);
    dispatch(effect, effSetProgram, 0, 25);
    dispatch(effect, effSetProgram, 0, -3);  // passed on: setProgram itself rejects it
    dispatch(effect, effSetProgram, 0, static_cast<VstIntPtr>(INT64_MIN) + 1);  // not 32-bit
    EXPECT_EQ(effect.calls, (std::vector<std::string>{"setProgram 25", "setProgram -3"}));
}

TEST(Dispatcher, MainsChangedSuspendsOnZeroAndResumesOtherwise) {
    RecordingEffect effect;
    dispatch(effect, effMainsChanged, 0, 0);
    dispatch(effect, effMainsChanged, 0, 1);
    dispatch(effect, effMainsChanged, 0, -1);
    EXPECT_EQ(effect.calls, (std::vector<std::string>{"suspend", "resume", "resume"}));
}

TEST(Dispatcher, PassesArgumentsConvertedAsEachOperationTakesThem) {
    RecordingEffect effect;
    char text[32];
    dispatch(effect, effGetProgramNameIndexed, 7, 3, text);
    EXPECT_EQ(dispatch(effect, effSetChunk, 1, 512), -7);
    dispatch(effect, effSetChunk, 0, 64);
    EXPECT_EQ(effect.calls, (std::vector<std::string>{"getProgramNameIndexed 3 7",
                                                      "setChunk 512 preset", "setChunk 64 bank"}));
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect, effSetBlockSize, 0, 256);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);
    EXPECT_EQ(dispatch(effect, effGetChunk, 0, 0, nullptr), 0);
}

TEST(Dispatcher, EditorOpcodesAnswerZeroWithoutAnEditor) {
    RecordingEffect effect;
    ERect* rect = nullptr;
    for (VstInt32 opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown,
                            effEditKeyUp, effSetEditKnobMode}) {
        EXPECT_EQ(dispatch(effect, opcode, 0, 0, &rect), 0) << opcode;
    }
}

TEST(Dispatcher, BuildsTheEditorsKeyCodeFromThreeArguments) {
    bool editorGone = false;  // outlives the effect, whose destructor deletes the editor
    RecordingEffect effect;
    auto* editor = new RecordingEditor(&effect, &editorGone);
    effect.setEditor(editor);
    EXPECT_EQ(dispatch(effect, effEditKeyDown, 'a', 0x141, nullptr, 1.9f), 1);
    EXPECT_EQ(editor->last.character, 'a');
    EXPECT_EQ(editor->last.virt, 0x41);
    EXPECT_EQ(editor->last.modifier, 1);
    EXPECT_EQ(dispatch(effect, effEditKeyDown, 0, 0, nullptr, -1.0f), 1);
    EXPECT_EQ(editor->last.modifier, 0xFF);                                // -1 truncated, low byte
    EXPECT_EQ(dispatch(effect, effEditKeyDown, 0, 0, nullptr, 1e30f), 1);  // no overflow
    EXPECT_EQ(dispatch(effect, effEditKeyUp, 'a', 0, nullptr, 0.0f), 0);
    EXPECT_EQ(dispatch(effect, effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(dispatch(effect, effSetEditKnobMode, 0, 1), 0);
}

TEST(EntryFunctions, CloseAnswersOneAndDestroysTheObjectWithItsEditor) {
    bool effectGone = false;
    bool editorGone = false;
    auto* effect = new RecordingEffect(&effectGone);
    effect->setEditor(new RecordingEditor(effect, &editorGone));
    EXPECT_EQ(effect->getAeffect()->flags, effFlagsCanReplacing | effFlagsHasEditor);
    AEffect* record = effect->getAeffect();
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(effectGone);
    EXPECT_TRUE(editorGone);
}

TEST(EntryFunctions, RecordWithoutAnObjectIsIgnored) {
    AEffect orphan{};
    RecordingEffect effect;
    orphan = *effect.getAeffect();
    orphan.object = nullptr;
    EXPECT_EQ(orphan.dispatcher(&orphan, effIdentify, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(orphan.getParameter(&orphan, 0), 0.0f);
    orphan.setParameter(&orphan, 0, 1.0f);
    orphan.processReplacing(&orphan, nullptr, nullptr, 16);
    EXPECT_EQ(orphan.dispatcher(nullptr, effClose, 0, 0, nullptr, 0.0f), 0);
}

TEST(EntryFunctions, RemovingTheEditorClearsOnlyItsFlag) {
    RecordingEffect effect;
    bool editorGone = false;
    auto* editor = new RecordingEditor(&effect, &editorGone);
    effect.setEditor(editor);
    effect.canMono(true);
    effect.setEditor(nullptr);
    EXPECT_EQ(effect.getAeffect()->flags, effFlagsCanReplacing | effFlagsCanMono);
    delete editor;
}

TEST(EntryFunctions, RecordHoldsTheBaseDefaults) {
    RecordingEffect effect;
    const AEffect* record = effect.getAeffect();
    EXPECT_EQ(record->magic, 0x56737450);
    EXPECT_EQ(record->numInputs, 1);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->flags, effFlagsCanReplacing);
    EXPECT_EQ(record->uniqueID, 0x4E6F4566);
    EXPECT_EQ(record->object, &effect);
    EXPECT_EQ(record->resvd1, 0);
    for (char byte : record->future) EXPECT_EQ(byte, 0);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
}
