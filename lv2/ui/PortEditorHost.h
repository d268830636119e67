// The editor's host side in an LV2 UI: the parameters are the plug-in's control ports, known
// only from the host's port events, and a change the user makes goes back as a write to that one
// port. The UI may run in another process than the plug-in, so nothing here reaches the effect.
#pragma once

#include <lv2/ui/ui.h>

#include <array>
#include <optional>

#include "EditorHost.h"
#include "ParameterTable.h"

class PortEditorHost final : public EditorHost {
public:
    // `touch` may be null (the host does not hear of gestures then). `sampleRate`: the plug-in's
    // rate, when the host tells the UI.
    PortEditorHost(LV2UI_Write_Function write, LV2UI_Controller controller,
                   const LV2UI_Touch* touch, std::optional<double> sampleRate = std::nullopt);

    // The host's value of a control port, as its port event brings it.
    void portValueArrived(int index, float value);

    float parameterValue(int index) override;
    // From the rate, as the plug-in works the length out from it.
    std::optional<DelayLength> delayLength() override;
    // The UI cannot know which preset the host loaded: program 0's, the ports' defaults.
    float factoryValue(int index) override;
    const char* formatName() override { return "LV2"; }
    void beginGesture(int index) override;
    void changeByGesture(int index, float value) override;
    void endGesture(int index) override;

private:
    void touch(int index, bool grabbed);

    LV2UI_Write_Function write;
    LV2UI_Controller controller;
    const LV2UI_Touch* touchFeature;
    std::optional<float> rate;
    // Until the host's first port events arrive, the ports' defaults: program 0.
    std::array<float, kNumParams> values{};
};
