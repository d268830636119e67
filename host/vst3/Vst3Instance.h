// One instance of a module's audio effect class, driven the way a host drives it: made through
// the factory, initialized, set up for a rate, switched on, and fed blocks with the parameter
// changes that belong to them. Holds the component's interfaces and releases them as it goes.
#pragma once

#include <string>

#include "HostParameterChanges.h"
#include "Vst3Controller.h"
#include "Vst3Module.h"

class Vst3Instance {
public:
    // The module's first audio effect class; throws PluginLoadError when there is none or the
    // component lacks the processor or the controller.
    explicit Vst3Instance(const Vst3Module& module);
    ~Vst3Instance();
    Vst3Instance(const Vst3Instance&) = delete;
    Vst3Instance& operator=(const Vst3Instance&) = delete;

    vst3::IComponent& component() const { return *comp; }
    vst3::IAudioProcessor& processor() const { return *proc; }
    vst3::IEditController& controller() const { return *edit; }
    // Null when the component has no unit info.
    vst3::IUnitInfo* units() const { return unitInfo; }

    // The host's usual start: stereo buses, 32-bit setup at `rate`, active, processing.
    void start(double rate, vst3::int32 maxBlock = 4096);
    void stop();

    // One block of `frames` with `changes` (null for none); the channel pointers as a host
    // hands them over.
    vst3::tresult process(float** inputs, float** outputs, vst3::int32 frames,
                          vst3::IParameterChanges* changes = nullptr);

    // A parameter's text as the controller writes it for its value now.
    std::string text(vst3::ParamID id) const;
    // The name of a program of the first program list.
    std::string programName(vst3::int32 index) const;

private:
    void releaseAll();

    vst3::IComponent* comp = nullptr;
    vst3::IAudioProcessor* proc = nullptr;
    vst3::IEditController* edit = nullptr;
    vst3::IUnitInfo* unitInfo = nullptr;
    bool running = false;
};

// A host's 16-bit text as ASCII (other characters become '?').
std::string asciiOf(const vst3::char16* text);
