// The delay effect itself, knowing no plug-in format: its settings and 26 program memories, the
// one rule for applying a parameter, the host's rate and the delay length it gives, and the audio
// with subnormals flushed. Every plug-in format is an adapter that translates its host's calls
// into these and back.
//
// Threads: any host thread may set parameters, choose programs and announce a rate; the audio
// thread alone runs process() and resume(). Settings are atomics read afresh by the signal path;
// work on the lines (a clear, a restart) is asked for and done by the audio thread before its next
// frame. Nothing here allocates, locks or calls the system on the audio thread, or in a
// parameter change from it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>

#include "DelayLength.h"
#include "EchoSettings.h"
#include "FactoryPrograms.h"
#include "ParameterMailbox.h"
#include "ParameterTable.h"
#include "ProgramMemory.h"
#include "SignalPath.h"

class DelayCore {
public:
    // At the host's `sampleRate`, with program 0 loaded. Allocates the lines: call it outside the
    // audio thread.
    explicit DelayCore(float sampleRate);

    // The one rule for a value from the host, a program or the editor. It is kept as sent (not
    // clamped: a host may rely on reading back what it wrote), in the settings and in the current
    // program memory; a Delay value, even the same one, restarts the lines silent, so a new delay
    // never replays the old one; the editor hears of it through its mailbox. Indexes outside the
    // table change nothing.
    void setParameter(int index, float value);
    // As a host reads it back: single precision, a switch 1 or 0; 0 outside the table.
    float parameter(int index) const;
    // What a host's display shows for the parameter (see ParameterTable.h), cut to `maxLength`
    // characters in a buffer of maxLength + 1; nothing for an index outside the table.
    void displayText(int index, char* text, std::int32_t maxLength) const;
    // The same text for `value` rather than the current value (the delay at the current rate),
    // for hosts that show a value before they set it.
    void displayTextOf(int index, float value, char* text, std::int32_t maxLength) const;
    // The value whose display text `text` is, for hosts that let the user type one: the delay in
    // samples at the current rate, a fraction, a switch's 1 or 0; held within 0..1. Nothing for
    // a text that is not a number, or an index outside the table.
    std::optional<float> valueOfText(int index, const char* text) const;

    // Loads a program memory: its nine values are applied as setParameter applies them. Indexes
    // outside the programs change nothing.
    void selectProgram(int program);
    int program() const { return current.load(std::memory_order_relaxed); }
    // The current program's name becomes `name`, cut to kProgramNameLength characters.
    void renameProgram(const char* name);
    // A program's name into a buffer of maxLength + 1 bytes, ending at its last byte; false for
    // an index outside the programs.
    bool programName(int program, char* text, std::size_t maxLength) const;
    // The parameter's value in the factory version of the loaded program: what a reset returns
    // it to.
    float factoryValue(int index) const;
    // A program memory's value of a parameter, as the host would read it were that program
    // loaded; 0 outside the programs or the table.
    float programValue(int program, int index) const;
    // Fills a program memory, as a saved state brings it back; the loaded program's values take
    // effect when it is loaded again. Indexes outside the programs change nothing.
    void storeProgram(int program, const std::array<float, kNumParams>& values, const char* name);

    // From any host thread: the host's rate, taken up by the audio thread at its next block.
    // Not-a-number is ignored there.
    void setSampleRate(float rate);
    float sampleRate() const { return hostRate.load(std::memory_order_relaxed); }
    // The delay length the Delay parameter gives, in samples as the lines use it, with the rate it
    // was worked out for; nothing while that rate is not a number or not positive. After a new
    // rate, the length follows at the next block.
    std::optional<DelayLength> delayLength() const;

    // Audio thread: before audio starts again after a pause, the lines are cleared.
    void resume() { signalPath.requestClear(); }
    // Any thread: at the next block everything the audio carries from before starts again as in
    // a fresh instance at the host's rate (lines, write position with the pan's half sine, filter
    // states), so the sound goes on exactly as a fresh instance's: what a host's full reset asks
    // for.
    void restart() { restartRequested.store(true, std::memory_order_relaxed); }
    // Audio thread: any number of frames; inputs and outputs may be the same buffers, or crossed.
    // Where an input or an output is missing, the outputs given are silent.
    void process(const float* inL, const float* inR, float* outL, float* outR, std::int32_t frames);

    // The changes on their way to the editor: every setParameter posts into it, from any thread.
    ParameterMailbox& editorMailbox() { return toEditor; }

private:
    ProgramMemory& currentMemory();
    void takeUpRate(float rate);
    void updateDelaySamples();
    bool delayLengthIsForAnotherRate(float rate) const;

    EchoSettings settings;
    std::array<ProgramMemory, kNumPrograms> programs;
    std::atomic<int> current{0};
    mutable std::mutex namesLock;  // names are only ever touched from the host's non-audio calls
    SignalPath signalPath;
    std::atomic<float> hostRate;
    std::int32_t lastSampleRate;  // whole hertz, as of the end of the previous block (audio thread)
    std::atomic<float> delayLengthRate{0.0f};   // the host rate the delay length was computed for
    std::atomic<bool> restartRequested{false};  // a full restart asked for, not yet carried out
    ParameterMailbox toEditor;
};
