#include "EditorController.h"

#include <string>

#include "BackgroundView.h"
#include "Color.h"
#include "ControlValues.h"
#include "EditorHost.h"
#include "EditorView.h"
#include "LayoutFrames.h"
#include "ParameterTable.h"

namespace {

constexpr int kKnobPictures = 128;
constexpr int kKnobSteps = 100;

}  // namespace

EditorController::EditorController(EditorView& view) : mainView(view) {
    createSubView();
    createKnobs();
    createSwitches();
}

void EditorController::createSubView() {
    auto background = std::make_shared<BackgroundView>(
        std::make_shared<ui::Image>("delaybackground"), editorBounds());
    mainView.addSubview(background, ui::View::Ordering::WindowBelow, nullptr);
}

void EditorController::createKnobs() {
    EditorHost* effect = mainView.getEffect();
    auto pictures = std::make_shared<ui::ImageList>();
    fillArray(*pictures);

    // Built and stacked in the layout's order; each knob steps through 0 to 99 of its own list.
    for (std::size_t k = 0; k < knobs.size(); ++k) {
        const layout::Control& place = layout::knobs[k];
        const float v = effect != nullptr ? effect->parameterValue(place.parameter) : 0.0f;
        auto knob =
            std::make_shared<Knob>(rectOf(place.frame), 2, 3, ui::Color::clearColor(),
                                   ui::Color::clearColor(), ui::Color::clearColor(), pictures);
        knob->setControl(0);
        KnobPointer* point = knob->controlPoint();
        point->setDelegate(this);
        point->setData(generateArrayFrom(0, kKnobSteps));
        point->setIntValue(control_values::knobStepFor(v));
        knobs[k] = std::move(knob);
    }
    for (const auto& knob : knobs) mainView.addSubview(knob);
}

void EditorController::createSwitches() {
    auto off = std::make_shared<ui::Image>("switchoff");
    auto on = std::make_shared<ui::Image>("switchon");
    EditorHost* effect = mainView.getEffect();
    for (std::size_t k = 0; k < switches.size(); ++k) {
        const layout::Control& place = layout::switches[k];
        auto toggle = std::make_shared<LoopSwitch>(rectOf(place.frame), off, on);
        // The switches start from the filter placements the effect holds, as the knobs start
        // from theirs.
        if (effect != nullptr) {
            toggle->setImageState(
                control_values::switchStateFor(effect->parameterValue(place.parameter)));
        }
        toggle->setDelegate(this);
        mainView.addSubview(toggle);
        switches[k] = std::move(toggle);
    }
}

void EditorController::fillArray(ui::ImageList& pictures) const {
    pictures.reserve(pictures.size() + kKnobPictures);
    for (int k = 0; k < kKnobPictures; ++k) {
        pictures.push_back(std::make_shared<ui::Image>("fxknob" + std::to_string(k), "png"));
    }
}

std::shared_ptr<std::vector<int>> EditorController::generateArrayFrom(int from, int to) {
    auto steps = std::make_shared<std::vector<int>>();
    for (int i = from; i < to; ++i) steps->push_back(i);
    return steps;
}

// Only the parameter of the control that moved is sent: re-sending the others from the controls'
// whole steps would round them (a delay of 0.0799 would become 0.07 and restart the lines).
void EditorController::knobUpdatedWithIndex(int /*index*/, const int* /*value*/, ui::View* object) {
    const int parameter = parameterOfControl(object);
    if (parameter < 0) return;
    if (Knob* knob = knobForParameter(parameter)) {
        // A drag is one gesture from its first step to the release.
        if (gestureParameter != parameter) beginGesture(parameter);
        mainView.updateParameters(
            parameter, control_values::valueOfKnobStep(knob->controlPoint()->ReturnValue()));
        return;
    }
    // A click is a whole gesture of its own.
    const LoopSwitch* toggle = switchForParameter(parameter);
    beginGesture(parameter);
    mainView.updateParameters(parameter, control_values::valueOfSwitchState(toggle->imageState()));
    endGesture();
}

void EditorController::controlReleased(ui::View* object) {
    if (parameterOfControl(object) == gestureParameter) endGesture();
}

void EditorController::beginGesture(int parameter) {
    endGesture();
    gestureParameter = parameter;
    if (EditorHost* effect = mainView.getEffect()) effect->beginGesture(parameter);
}

void EditorController::endGesture() {
    if (gestureParameter < 0) return;
    const int parameter = gestureParameter;
    gestureParameter = -1;
    if (EditorHost* effect = mainView.getEffect()) effect->endGesture(parameter);
}

void EditorController::updateControllers(int index, float value) {
    if (Knob* knob = knobForParameter(index)) {
        knob->controlPoint()->setIntValue(control_values::knobStepFor(value));
    } else if (LoopSwitch* toggle = switchForParameter(index)) {
        toggle->setImageState(control_values::switchStateFor(value));
    }
}

Knob* EditorController::knobForParameter(int index) const {
    for (std::size_t k = 0; k < knobs.size(); ++k) {
        if (layout::knobs[k].parameter == index) return knobs[k].get();
    }
    return nullptr;
}

LoopSwitch* EditorController::switchForParameter(int index) const {
    for (std::size_t k = 0; k < switches.size(); ++k) {
        if (layout::switches[k].parameter == index) return switches[k].get();
    }
    return nullptr;
}

int EditorController::parameterOfControl(const ui::View* control) const {
    if (control == nullptr) return -1;
    for (std::size_t k = 0; k < knobs.size(); ++k) {
        if (knobs[k].get() == control) return layout::knobs[k].parameter;
    }
    for (std::size_t k = 0; k < switches.size(); ++k) {
        if (switches[k].get() == control) return layout::switches[k].parameter;
    }
    return -1;
}
