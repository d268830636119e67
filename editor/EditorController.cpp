#include "EditorController.h"

#include <string>

#include "BackgroundView.h"
#include "ControlValues.h"
#include "EditorHost.h"
#include "LayoutFrames.h"

namespace {

constexpr int kKnobPictures = 128;

// The knob pictures, "fxknob0" to "fxknob127" in order, shared by every knob.
std::shared_ptr<const ui::ImageList> knobPictures() {
    auto pictures = std::make_shared<ui::ImageList>();
    pictures->reserve(kKnobPictures);
    for (int k = 0; k < kKnobPictures; ++k) {
        pictures->push_back(std::make_shared<ui::Image>("fxknob" + std::to_string(k), "png"));
    }
    return pictures;
}

}  // namespace

EditorController::EditorController(ui::View& shownIn, EditorHost* editorHost)
    : view(shownIn), host(editorHost) {
    createBackground();
    createKnobs();
    createSwitches();
}

void EditorController::createBackground() {
    auto background = std::make_shared<BackgroundView>(
        std::make_shared<ui::Image>("delaybackground"), editorBounds());
    view.addSubview(background, ui::View::Ordering::WindowBelow, nullptr);
}

void EditorController::createKnobs() {
    const auto pictures = knobPictures();
    // Built and stacked in the layout's order.
    for (std::size_t k = 0; k < knobs.size(); ++k) {
        const layout::Control& place = layout::knobs[k];
        const float v = host != nullptr ? host->parameterValue(place.parameter) : 0.0f;
        auto knob = std::make_shared<Knob>(rectOf(place.frame), place.parameter, pictures);
        knob->setListener(this);
        knob->setStep(control_values::knobStepFor(v));
        knobs[k] = std::move(knob);
    }
    for (const auto& knob : knobs) view.addSubview(knob);
}

void EditorController::createSwitches() {
    auto off = std::make_shared<ui::Image>("switchoff");
    auto on = std::make_shared<ui::Image>("switchon");
    for (std::size_t k = 0; k < switches.size(); ++k) {
        const layout::Control& place = layout::switches[k];
        auto toggle = std::make_shared<LoopSwitch>(rectOf(place.frame), place.parameter, off, on);
        // The switches start from the filter placements the host side holds, as the knobs start
        // from theirs.
        if (host != nullptr) {
            toggle->setState(control_values::switchStateFor(host->parameterValue(place.parameter)));
        }
        toggle->setListener(this);
        view.addSubview(toggle);
        switches[k] = std::move(toggle);
    }
}

// Only the parameter of the control that moved is sent: re-sending the others from the controls'
// whole steps would round them (a delay of 0.0799 would become 0.07 and restart the lines).
void EditorController::knobTurned(int parameter, std::int32_t step) {
    // A drag is one gesture from its first step to the release.
    if (gestureParameter != parameter) beginGesture(parameter);
    send(parameter, control_values::valueOfKnobStep(step));
}

void EditorController::knobReleased(int parameter) {
    if (parameter == gestureParameter) endGesture();
}

// A click is a whole gesture of its own.
void EditorController::switchClicked(int parameter, int state) {
    beginGesture(parameter);
    send(parameter, control_values::valueOfSwitchState(state));
    endGesture();
}

void EditorController::send(int parameter, float value) {
    // A value the host side already holds would change nothing but restart the delay lines.
    if (host != nullptr && host->parameterValue(parameter) != value) {
        host->changeByGesture(parameter, value);
    }
    view.setNeedsRedraw(true);
}

void EditorController::beginGesture(int parameter) {
    endGesture();
    gestureParameter = parameter;
    if (host != nullptr) host->beginGesture(parameter);
}

void EditorController::endGesture() {
    if (gestureParameter < 0) return;
    const int parameter = gestureParameter;
    gestureParameter = -1;
    if (host != nullptr) host->endGesture(parameter);
}

void EditorController::showParameter(int index, float value) {
    if (Knob* knob = knobForParameter(index)) {
        knob->setStep(control_values::knobStepFor(value));
    } else if (LoopSwitch* toggle = switchForParameter(index)) {
        toggle->setState(control_values::switchStateFor(value));
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
