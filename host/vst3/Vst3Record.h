// A VST 3 module seen through an effect record, so that a host built on records (zvhost) drives
// it with the calls it already makes: the opcodes it uses become the VST 3 calls a VST 3 host
// makes for them (setup, activation, parameters through the controller and the next block's
// queue, the program list, texts, and the editor's view with a run loop idled by effEditIdle).
#pragma once

#include <memory>
#include <string>

#include "AEffect.h"
#include "HostParameterChanges.h"
#include "HostRunLoop.h"
#include "Vst3Instance.h"
#include "Vst3Module.h"

class Vst3Record {
public:
    // Throws PluginLoadError when the module cannot be loaded or has no effect class.
    explicit Vst3Record(const std::string& path);
    ~Vst3Record();
    Vst3Record(const Vst3Record&) = delete;
    Vst3Record& operator=(const Vst3Record&) = delete;

    // The record: valid until effClose, after which the instance is gone.
    AEffect* record() { return &effect; }

private:
    static VstIntPtr dispatcher(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                void* ptr, float opt);
    static void setParameter(AEffect* e, VstInt32 index, float value);
    static float getParameter(AEffect* e, VstInt32 index);
    static void processReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 frames);

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    bool openEditor(void* parent);
    void closeEditor();
    vst3::ParamID programParameter() const;

    Vst3Module module;
    std::unique_ptr<Vst3Instance> instance;
    AEffect effect{};
    vst3::PClassInfo classInfo{};
    HostParameterChanges pending;  // changes for the next block
    double sampleRate = 44100.0;
    VstInt32 blockSize = 512;
    vst3::IPlugView* view = nullptr;
    ERect editorRect{};
    HostRunLoop runLoop;
};
