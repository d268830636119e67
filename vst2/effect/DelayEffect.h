// The delay effect as the host sees it: settings, program memories, parameters, texts, identity
// and the audio callback, on top of the host interface's base classes.
#pragma once

#include <array>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

#include "AudioEffectX.h"
#include "DelayProgram.h"
#include "EchoSettings.h"
#include "EditorHost.h"
#include "FactoryPrograms.h"
#include "GestureRelay.h"
#include "ParameterTable.h"
#include "SignalPath.h"

class DelayEffect;
// Makes the editor for an effect (which takes ownership); the plug-in's assembly chooses it, so
// the effect itself knows no editor and no windowing.
using EditorFactory = AEffEditor* (*)(DelayEffect& effect);

class DelayEffect : public AudioEffectX, public EditorHost {
public:
    // Without `makeEditor` the effect has no editor (the host sees no editor flag).
    explicit DelayEffect(audioMasterCallback host, EditorFactory makeEditor = nullptr);
    ~DelayEffect() override;

    void resume() override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;

    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;

    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    VstInt32 getNumMidiInputChannels() override { return 0; }
    VstInt32 getNumMidiOutputChannels() override { return 0; }
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;
    VstInt32 canDo(char* text) override;
    // Takes a host's content scale for the editor ('PreS', 'AeCs', the factor in `opt`).
    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
    VstPlugCategory getPlugCategory() override;
    bool hasMidiProgramsChanged(VstInt32 channel) override;
    bool getMidiKeyName(VstInt32 channel, MidiKeyName* keyName) override;

    // Raised around the editor's own parameter changes, so they are not sent back to it. Only
    // the thread that raised it is kept quiet: a change another thread makes meanwhile (the
    // host's automation, its own control) still reaches the editor.
    void setSettingFromEditor(bool state) {
        settingFromEditor.store(state ? std::this_thread::get_id() : std::thread::id{},
                                std::memory_order_relaxed);
    }

    // The editor's side: the user's gestures reach the host as automation, bracketed by
    // beginEdit and endEdit, and are not echoed back to the editor. A change takes effect at
    // once; most hosts hear of it at once too, one host from the audio thread (see
    // DelayEffectGestures.cpp).
    float parameterValue(int index) override { return getParameter(index); }
    std::optional<DelayLength> delayLength() override;
    float factoryValue(int index) override;
    const char* formatName() override { return "VST 2.4"; }
    void beginGesture(int index) override;
    void changeByGesture(int index, float value) override;
    void endGesture(int index) override;

    // The delay length in samples that the Delay parameter currently gives.
    VstInt32 getDelaySamples() const { return settings.delaySamples.load(); }

private:
    DelayProgram& currentProgram();
    void applySampleRateChange(float rate);
    void updateDelaySamples();
    bool delayLengthIsForAnotherRate(float rate) const;
    void forwardToEditor(VstInt32 index, float value);
    bool gesturesGoThroughAudio();
    void tellHostOfGestures();

    EchoSettings settings;
    std::array<DelayProgram, kNumPrograms> programs;
    std::mutex programNamesLock;  // names are only ever touched from the host's non-audio calls
    SignalPath signalPath;
    VstInt32 lastSampleRate;  // whole hertz, as of the end of the previous block (audio thread)
    std::atomic<float> delayLengthRate{0.0f};  // the host rate the delay length was computed for
    std::atomic<std::thread::id> settingFromEditor{};  // the editor's thread, while it sets
    GestureRelay gestureRelay;
    enum class GestureRoute { Undecided, Direct, ThroughAudio };
    GestureRoute gestureRoute = GestureRoute::Undecided;  // the editor's thread alone
    static_assert(std::atomic<std::thread::id>::is_always_lock_free);
};
