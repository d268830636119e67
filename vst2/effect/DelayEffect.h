// The delay effect as a VST 2 host sees it: the host interface's calls translated into the core's
// (parameters, programs, rate, audio) and its texts and identity. The editor reaches the host
// through Vst2EditorHost; the gestures it sends to one host through the audio thread are told to
// that host here, at the start of each block.
#pragma once

#include "AudioEffectX.h"
#include "DelayCore.h"
#include "GestureRelay.h"
#include "Vst2EditorHost.h"

class DelayEffect;
// Makes the editor for an effect (which takes ownership); the plug-in's assembly chooses it, so
// the effect itself knows no editor and no windowing.
using EditorFactory = AEffEditor* (*)(DelayEffect& effect);

class DelayEffect : public AudioEffectX {
public:
    // Without `makeEditor` the effect has no editor (the host sees no editor flag).
    explicit DelayEffect(audioMasterCallback host, EditorFactory makeEditor = nullptr);
    ~DelayEffect() override;

    void resume() override;
    void setSampleRate(float rate) override;
    void setBlockSizeAndSampleRate(VstInt32 size, float rate) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    void setParameter(VstInt32 index, float value) override { core.setParameter(index, value); }
    float getParameter(VstInt32 index) override { return core.parameter(index); }

    VstInt32 getProgram() override { return core.program(); }
    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override { core.renameProgram(name); }
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

    DelayCore& delayCore() { return core; }
    // The side the editor's controls read and change.
    Vst2EditorHost& editorSide() { return editorHost; }

private:
    void tellHostOfGestures();

    DelayCore core;
    GestureRelay gestureRelay;
    Vst2EditorHost editorHost;
};
