// The editor's host in VST 3: the controls read the core, and the user's gestures reach the host
// as begin, perform and end edits on its component handler, from the editor's thread (the host's
// UI thread, where VST 3 hosts expect them). The value takes effect at once.
#pragma once

#include "DelayCore.h"
#include "EditorHost.h"
#include "Vst3Controller.h"

class Vst3EditorHost final : public EditorHost {
public:
    explicit Vst3EditorHost(DelayCore& delay) : core(delay) {}

    // The host's handler, or null; the caller keeps its reference.
    void setHandler(vst3::IComponentHandler* handler) { componentHandler = handler; }

    float parameterValue(int index) override { return core.parameter(index); }
    std::optional<DelayLength> delayLength() override { return core.delayLength(); }
    float factoryValue(int index) override { return core.factoryValue(index); }
    const char* formatName() override { return "VST 3"; }
    void beginGesture(int index) override;
    void changeByGesture(int index, float value) override;
    void endGesture(int index) override;

private:
    DelayCore& core;
    vst3::IComponentHandler* componentHandler = nullptr;
};
