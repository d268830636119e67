// A host whose every call is chosen by the fuzzer's input: one fresh instance per input, driven
// through its record by a sequence of opcodes (−5 to 90, with buffers of the sizes hosts use),
// parameter changes with any float, program changes, sample rates, block sizes and process calls
// of any length and layout, ended by effClose. After every call it checks what a host can see:
// no write outside the buffers it handed over, only usable samples in the output, the values it
// set read back as set, and texts terminated inside their buffers. A failed check aborts, so the
// fuzzer keeps the input that caused it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AEffect.h"
#include "FuzzBytes.h"
#include "ProgramModel.h"

class FuzzedHost {
public:
    explicit FuzzedHost(FuzzBytes& input) : in(input) {}

    // The whole session of one instance.
    void run();

private:
    void dispatchAnyOpcode();
    void dispatchTextOut(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt,
                         std::size_t size);
    void dispatchProgramName(float opt);
    void dispatchTextIn(VstInt32 opcode, VstInt32 index, float opt);
    void dispatchRecordOut(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt,
                           std::size_t size);
    void dispatchUntouchedRecord(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt);
    void dispatchSpeakerArrangements(VstInt32 opcode);
    void setAnyParameter();
    void processAnyBlock(std::size_t& budget);
    void processThroughNoOpEntries();
    void checkReadBack();

    VstIntPtr call(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstInt32 anyIndex();
    VstIntPtr anyValue();
    float anyFloat();
    float anySampleRate();
    VstInt32 anyFrameCount(std::size_t& budget);

    FuzzBytes& in;
    AEffect* effect = nullptr;
    ProgramModel model;
};

// Stops the run with a message naming the broken promise.
[[noreturn]] void fuzzCheckFailed(const char* what, long detail);
#define FUZZ_CHECK(condition, detail)                                             \
    do {                                                                          \
        if (!(condition)) fuzzCheckFailed(#condition, static_cast<long>(detail)); \
    } while (false)
