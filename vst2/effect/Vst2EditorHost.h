// The editor's host in VST 2: the controls read the core and the user's gestures reach the host
// as begin, automation and end. A change takes effect at once; most hosts hear of it at once too,
// from the editor's thread, and one host through the audio thread (see the .cpp).
#pragma once

#include "DelayCore.h"
#include "EditorHost.h"
#include "GestureRelay.h"

class AudioEffectX;

class Vst2EditorHost final : public EditorHost {
public:
    // `relay` is the effect's: it tells the host at the start of each block what was sent
    // through it.
    Vst2EditorHost(AudioEffectX& owner, DelayCore& delay, GestureRelay& gestures)
        : effect(owner), core(delay), relay(gestures) {}

    float parameterValue(int index) override { return core.parameter(index); }
    std::optional<DelayLength> delayLength() override { return core.delayLength(); }
    float factoryValue(int index) override { return core.factoryValue(index); }
    const char* formatName() override { return "VST 2.4"; }
    void beginGesture(int index) override;
    void changeByGesture(int index, float value) override;
    void endGesture(int index) override;

private:
    bool gesturesGoThroughAudio();

    AudioEffectX& effect;
    DelayCore& core;
    GestureRelay& relay;
    enum class GestureRoute { Undecided, Direct, ThroughAudio };
    GestureRoute route = GestureRoute::Undecided;  // the editor's thread alone
};
