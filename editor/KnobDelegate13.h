// The controller of the main view: it builds the background, the seven knobs and the two
// switches, sets them from the effect, and carries values both ways. When a control moves, it
// sends that control's parameter, and only that one, as a gesture the host hears of: a knob drag
// from its first step to the release, a switch click at once. When the effect's parameter changes
// by another route, it sets the one matching control.
#pragma once

#include <memory>
#include <vector>

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
    FlatKnob13* timeKnob() const { return _timeKnob.get(); }
    FlatKnob13* mixKnob() const { return _mixKnob.get(); }
    FlatKnob13* feedBackKnob() const { return _feedBackKnob.get(); }
    FlatKnob13* lowPassKnob() const { return _lowPassKnob.get(); }
    FlatKnob13* highPassKnob() const { return _highPassKnob.get(); }
    FlatKnob13* panWidthKnob() const { return _panWidthKnob.get(); }
    FlatKnob13* panKnob() const { return _panKnob.get(); }
    ZelvasCustomImageView13* lowPassSwitch() const { return _lowPassSwitch.get(); }
    ZelvasCustomImageView13* highPassSwitch() const { return _highPassSwitch.get(); }
    // The knob of parameter `index`; null for a switch or an index outside 0 to 8.
    FlatKnob13* knobForParameter(int index) const;
    // The parameter `control` (a knob view or a switch of this controller) stands for; -1 for
    // anything else.
    int parameterOfControl(const ui::View* control) const;

private:
    // A knob's field, parameter and frame.
    struct KnobPlace {
        std::shared_ptr<FlatKnob13> KnobDelegate13::*field;
        int parameter;
        ui::Rect frame;
    };
    static constexpr int kKnobCount = 7;
    static const KnobPlace kKnobPlaces[kKnobCount];

    void beginGesture(int parameter);

    ZelvasUiView13& mainView;  // owns this controller
    int gestureParameter = -1;  // the parameter of the knob being dragged, -1 between drags
    std::shared_ptr<FlatKnob13> _timeKnob;
    std::shared_ptr<FlatKnob13> _mixKnob;
    std::shared_ptr<FlatKnob13> _feedBackKnob;
    std::shared_ptr<FlatKnob13> _lowPassKnob;
    std::shared_ptr<FlatKnob13> _highPassKnob;
    std::shared_ptr<FlatKnob13> _panWidthKnob;
    std::shared_ptr<FlatKnob13> _panKnob;
    std::shared_ptr<ZelvasCustomImageView13> _lowPassSwitch;
    std::shared_ptr<ZelvasCustomImageView13> _highPassSwitch;
};
