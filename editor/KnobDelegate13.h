// The controller of the main view: it builds the background, the seven knobs and the two
// switches where the editor's layout puts them, sets them from the effect, and carries values
// both ways. When a control moves, it sends that control's parameter, and only that one, as a
// gesture the host hears of: a knob drag from its first step to the release, a switch click at
// once. When the effect's parameter changes by another route, it sets the one matching control.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "EditorLayout.h"
#include "FlatKnob13.h"
#include "Image.h"
#include "KnobDelegate.h"
#include "ZelvasCustomImageView13.h"

class ZelvasUiView13;

class KnobDelegate13 final : public KnobDelegate {
public:
    // Fills `view`: background, knobs, switches, in that order.
    explicit KnobDelegate13(ZelvasUiView13& view);

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

    ZelvasUiView13& MainView() const { return mainView; }
    FlatKnob13* timeKnob() const { return knobForParameter(kDelay); }
    FlatKnob13* mixKnob() const { return knobForParameter(kMix); }
    FlatKnob13* feedBackKnob() const { return knobForParameter(kFeedBack); }
    FlatKnob13* lowPassKnob() const { return knobForParameter(kLowPass); }
    FlatKnob13* highPassKnob() const { return knobForParameter(kHighPass); }
    FlatKnob13* panWidthKnob() const { return knobForParameter(kPanDepth); }
    FlatKnob13* panKnob() const { return knobForParameter(kPan); }
    ZelvasCustomImageView13* lowPassSwitch() const { return switchForParameter(kLowPassType); }
    ZelvasCustomImageView13* highPassSwitch() const { return switchForParameter(kHighPassType); }
    // The knob of parameter `index`; null for a switch or an index outside 0 to 8.
    FlatKnob13* knobForParameter(int index) const;
    // The switch of parameter `index`; null for a knob or an index outside 0 to 8.
    ZelvasCustomImageView13* switchForParameter(int index) const;
    // The parameter `control` (a knob view or a switch of this controller) stands for; -1 for
    // anything else.
    int parameterOfControl(const ui::View* control) const;

private:
    void beginGesture(int parameter);

    ZelvasUiView13& mainView;  // owns this controller
    // In the layout's order.
    std::array<std::shared_ptr<FlatKnob13>, layout::knobs.size()> knobs;
    std::array<std::shared_ptr<ZelvasCustomImageView13>, layout::switches.size()> switches;
    int gestureParameter = -1;  // the parameter of the knob being dragged, -1 between drags
};
