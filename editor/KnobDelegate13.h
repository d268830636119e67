// The controller of the main view: it builds the background, the seven knobs and the two
// switches, sets them from the effect, and carries values both ways. Whatever control moved, it
// answers by reading back every control and writing all nine parameters; when the effect's
// parameter changes by another route, it sets the one matching control.
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

    // A knob reached a new step or a switch was clicked: the arguments are not needed, every
    // control is read back.
    void knobUpdatedWithIndex(int index, const int* value, ui::View* object) override;
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

private:
    ZelvasUiView13& mainView;  // owns this controller
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
