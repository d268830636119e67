// The editor's host in CLAP: the controls read the core, and a user's gesture changes the core at
// once and goes to the host as gesture begin, value and gesture end events. Those events can only
// travel in a process or a flush call, on the host's audio thread (or its main thread while the
// plug-in is inactive), so they wait in a GestureRelay and the host is asked for a flush.
#pragma once

#include "DelayCore.h"
#include "EditorHost.h"
#include "GestureRelay.h"

struct clap_host_t;
struct clap_host_params_t;

class ClapEditorHost final : public EditorHost {
public:
    ClapEditorHost(DelayCore& delay, GestureRelay& gestures) : core(delay), relay(gestures) {}

    // The host's parameter extension, once the plug-in's init found it (may stay null).
    void reachHostThrough(const clap_host_t* host, const clap_host_params_t* params) {
        clapHost = host;
        hostParams = params;
    }

    float parameterValue(int index) override { return core.parameter(index); }
    std::optional<DelayLength> delayLength() override { return core.delayLength(); }
    float factoryValue(int index) override { return core.factoryValue(index); }
    const char* formatName() override { return "CLAP"; }
    void beginGesture(int index) override;
    void changeByGesture(int index, float value) override;
    void endGesture(int index) override;

private:
    void askForFlush();

    DelayCore& core;
    GestureRelay& relay;
    const clap_host_t* clapHost = nullptr;
    const clap_host_params_t* hostParams = nullptr;
};
