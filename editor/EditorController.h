// The controller of the main view: it builds the background, the seven knobs and the two
// switches where the editor's layout puts them, sets them from the effect, and carries values
// both ways. When a control moves, it sends that control's parameter, and only that one, as a
// gesture the host hears of: a knob drag from its first step to the release, a switch click at
// once. When the effect's parameter changes by another route, it sets the one matching control.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "ControlListener.h"
#include "EditorLayout.h"
#include "Image.h"
#include "Knob.h"
#include "LoopSwitch.h"

class EditorView;

class EditorController final : public ControlListener {
public:
    // Fills `view`: background, knobs, switches, in that order.
    explicit EditorController(EditorView& view);

    void createSubView();
    void createKnobs();
    void createSwitches();

    // Appends the 128 knob pictures, "fxknob0" to "fxknob127", in order.
    void fillArray(ui::ImageList& pictures) const;
    // The integers from `from` up to `to` - 1; empty when `from` is not below `to`.
    static std::shared_ptr<std::vector<int>> generateArrayFrom(int from, int to);

    // A knob reached a new step or a switch was clicked: `object` tells which; its parameter is
    // sent from what the control now shows.
    void knobUpdatedWithIndex(int index, const int* value, ui::View* object) override;
    // A knob was let go: its gesture ends.
    void controlReleased(ui::View* object) override;
    // Ends the gesture under way, if any.
    void endGesture();
    // Sets the control of parameter `index` to `value`; other indexes change nothing.
    void updateControllers(int index, float value);

    EditorView& MainView() const { return mainView; }
    Knob* timeKnob() const { return knobForParameter(kDelay); }
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
    // The parameter `control` (a knob view or a switch of this controller) stands for; -1 for
    // anything else.
    int parameterOfControl(const ui::View* control) const;

private:
    void beginGesture(int parameter);

    EditorView& mainView;  // owns this controller
    // In the layout's order.
    std::array<std::shared_ptr<Knob>, layout::knobs.size()> knobs;
    std::array<std::shared_ptr<LoopSwitch>, layout::switches.size()> switches;
    int gestureParameter = -1;  // the parameter of the knob being dragged, -1 between drags
};
