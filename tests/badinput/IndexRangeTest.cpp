// Indexes outside what the effect has, on every opcode and entry that takes one: setters change
// nothing, getters answer 0 or "not written" and leave the host's buffer as it was.
#include <array>
#include <climits>
#include <cstring>

#include "HostileHostCase.h"

namespace {
using IndexesOutOfRange = HostileHostCase;

constexpr VstInt32 kOutsideTheParameters[] = {-1, 9, 100, INT32_MIN, INT32_MAX};
constexpr VstInt32 kOutsideThePrograms[] = {-1, 26, 1000, INT32_MIN, INT32_MAX};

std::array<float, kNumParams> allParameters(const HostedEffect& effect) {
    std::array<float, kNumParams> values{};
    for (VstInt32 i = 0; i < kNumParams; ++i) values[i] = effect.get(i);
    return values;
}

// A buffer filled with a pattern the effect would never write.
struct MarkedBuffer {
    char bytes[256];
    MarkedBuffer() { std::memset(bytes, 'x', sizeof bytes); }
    bool untouched() const {
        for (char c : bytes) {
            if (c != 'x') return false;
        }
        return true;
    }
};
}  // namespace

TEST_F(IndexesOutOfRange, SetParameterChangesNothing) {
    effect.call(effSetProgram, 0, 3);
    const auto before = allParameters(effect);
    for (VstInt32 index : kOutsideTheParameters) effect.set(index, 0.77f);
    EXPECT_EQ(allParameters(effect), before);
    // Nor is anything written into the program's memory.
    effect.call(effSetProgram, 0, 5);
    effect.call(effSetProgram, 0, 3);
    EXPECT_EQ(allParameters(effect), before);
    expectEchoComesBack();
}

TEST_F(IndexesOutOfRange, GetParameterGivesZero) {
    for (VstInt32 index : kOutsideTheParameters) EXPECT_EQ(effect.get(index), 0.0f) << index;
}

TEST_F(IndexesOutOfRange, ParameterTextsLeaveTheBufferUntouched) {
    for (VstInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
        for (VstInt32 index : kOutsideTheParameters) {
            MarkedBuffer buffer;
            effect.call(opcode, index, 0, buffer.bytes);
            EXPECT_TRUE(buffer.untouched()) << "opcode " << opcode << " index " << index;
        }
    }
}

TEST_F(IndexesOutOfRange, SetProgramKeepsTheCurrentProgram) {
    effect.call(effSetProgram, 0, 3);
    const auto before = allParameters(effect);
    const VstIntPtr values[] = {
        -1, 26, 1000, INT32_MIN, INT32_MAX, static_cast<VstIntPtr>(INTPTR_MAX),
        static_cast<VstIntPtr>(INTPTR_MIN),
        // Would name program 3 if cut to 32 bits.
        (static_cast<VstIntPtr>(1) << 32) + 3, -(static_cast<VstIntPtr>(1) << 32) + 3};
    for (VstIntPtr value : values) {
        effect.call(effSetProgram, 0, value);
        EXPECT_EQ(effect.call(effGetProgram), 3) << value;
    }
    EXPECT_EQ(allParameters(effect), before);
}

TEST_F(IndexesOutOfRange, ProgramNameIndexedAnswersZeroAndLeavesTheBuffer) {
    for (VstInt32 index : kOutsideThePrograms) {
        MarkedBuffer buffer;
        EXPECT_EQ(effect.call(effGetProgramNameIndexed, index, 0, buffer.bytes), 0) << index;
        EXPECT_TRUE(buffer.untouched()) << index;
    }
}

TEST_F(IndexesOutOfRange, OutputPinsBeyondTheTwoAnswerZeroAndLeaveTheRecord) {
    for (VstInt32 index : {2, 3, 100, INT32_MAX}) {
        MarkedBuffer buffer;
        static_assert(sizeof(VstPinProperties) <= sizeof(buffer.bytes));
        EXPECT_EQ(effect.call(effGetOutputProperties, index, 0, buffer.bytes), 0) << index;
        EXPECT_TRUE(buffer.untouched()) << index;
    }
}

TEST_F(IndexesOutOfRange, NegativeOutputPinsKeepTheirLabelInsideTheRecord) {
    // Negative pins are answered, numbered from index + 1; the label must stay terminated
    // inside its 64 bytes even for the longest number.
    for (VstInt32 index : {-1, -1000, INT32_MIN}) {
        VstPinProperties pin;
        std::memset(&pin, 'x', sizeof pin);
        effect.call(effGetOutputProperties, index, 0, &pin);
        EXPECT_NE(std::memchr(pin.label, '\0', sizeof pin.label), nullptr) << index;
        EXPECT_EQ(std::string(pin.label).rfind("ZvDy ", 0), 0u) << pin.label;
    }
}

TEST_F(IndexesOutOfRange, InputPinsAndParameterPropertiesAnswerZeroForAnyIndex) {
    for (VstInt32 opcode : {effGetInputProperties, effGetParameterProperties}) {
        for (VstInt32 index : {-1, 0, 1, 9, INT32_MAX}) {
            MarkedBuffer buffer;
            EXPECT_EQ(effect.call(opcode, index, 0, buffer.bytes), 0);
            EXPECT_TRUE(buffer.untouched()) << "opcode " << opcode << " index " << index;
        }
    }
}

TEST_F(IndexesOutOfRange, MidiChannelOpcodesAnswerNothingForAnyChannel) {
    for (VstInt32 channel : {-1, 0, 15, 16, INT32_MIN, INT32_MAX}) {
        MarkedBuffer buffer;
        EXPECT_EQ(effect.call(effGetMidiProgramName, channel, 0, buffer.bytes), 0);
        EXPECT_EQ(effect.call(effGetCurrentMidiProgram, channel, 0, buffer.bytes), -1);
        EXPECT_EQ(effect.call(effGetMidiProgramCategory, channel, 0, buffer.bytes), 0);
        EXPECT_EQ(effect.call(effHasMidiProgramsChanged, channel), 0);
        EXPECT_TRUE(buffer.untouched());
        MidiKeyName key{};
        EXPECT_EQ(effect.call(effGetMidiKeyName, channel, 0, &key), 0);
        EXPECT_EQ(key.keyName[0], '\0');
    }
}

TEST_F(IndexesOutOfRange, OpcodesOutsideTheTableAnswerZeroAndChangeNothing) {
    const auto before = allParameters(effect);
    for (VstInt32 opcode : {-5, -1, 80, 90, 1000, INT32_MIN, INT32_MAX}) {
        MarkedBuffer buffer;
        EXPECT_EQ(effect.call(opcode, 1, 1, buffer.bytes, 1.0f), 0) << opcode;
        EXPECT_TRUE(buffer.untouched()) << opcode;
    }
    EXPECT_EQ(allParameters(effect), before);
    expectEchoComesBack();
}
