// The controller of the editor's view: it builds the background, the seven knobs and the two
// switches where the editor's layout puts them, sets them from the host side's parameters, and
// carries values both ways. When a control moves, it sends that control's parameter, and only
// that one, as a gesture the host hears of: a knob drag from its first step to the release, a
// switch click at once. When a parameter changes by another route, it sets the one matching
// control.
#pragma once

#include <array>
#include <memory>

#include "ControlListener.h"
#include "EditorLayout.h"
#include "Knob.h"
#include "LoopSwitch.h"
#include "View.h"

class EditorHost;

class EditorController final : public ControlListener {
public:
    // Fills `view`: background, knobs, switches, in that order. `host` may be null: the controls
    // then start at zero and change nothing.
    EditorController(ui::View& view, EditorHost* host);

    // From now on the controls change nothing (the host side is going away).
    void detachHost() { host = nullptr; }

    void knobTurned(int parameter, std::int32_t step) override;
    void knobReleased(int parameter) override;
    void switchClicked(int parameter, int state) override;
    // Ends the gesture under way, if any.
    void endGesture();
    // Sets the control of parameter `index` to `value`; other indexes change nothing.
    void showParameter(int index, float value);

    Knob* delayKnob() const { return knobForParameter(kDelay); }
    Knob* mixKnob() const { return knobForParameter(kMix); }
    Knob* feedBackKnob() const { return knobForParameter(kFeedBack); }
    Knob* lowPassKnob() const { return knobForParameter(kLowPass); }
    Knob* highPassKnob() const { return knobForParameter(kHighPass); }
    Knob* panWidthKnob() const { return knobForParameter(kPanDepth); }
    Knob* panKnob() const { return knobForParameter(kPan); }
    LoopSwitch* lowPassSwitch() const { return switchForParameter(kLowPassType); }
    LoopSwitch* highPassSwitch() const { return switchForParameter(kHighPassType); }
    // The knob of parameter `index`; null for a switch or an index outside 0 to 8.
    Knob* knobForParameter(int index) const;
    // The switch of parameter `index`; null for a knob or an index outside 0 to 8.
    LoopSwitch* switchForParameter(int index) const;

private:
    void createBackground();
    void createKnobs();
    void createSwitches();
    void beginGesture(int parameter);
    void send(int parameter, float value);

    ui::View& view;  // owns this controller
    EditorHost* host;
    // In the layout's order.
    std::array<std::shared_ptr<Knob>, layout::knobs.size()> knobs;
    std::array<std::shared_ptr<LoopSwitch>, layout::switches.size()> switches;
    int gestureParameter = -1;  // the parameter of the knob being dragged, -1 between drags
};
