#include "EditorController.h"

#include <bit>
#include <cstdint>
#include <string>

#include "BackgroundView.h"
#include "ControlValues.h"
#include "EditorHost.h"
#include "FaceColours.h"
#include "LayoutFrames.h"
#include "ParameterReadout.h"

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
    createDisplay();
    createKnobs();
    createSwitches();
}

void EditorController::createBackground() {
    auto background = std::make_shared<BackgroundView>(
        std::make_shared<ui::Image>("delaybackground"), editorBounds());
    view.addSubview(background, ui::View::Ordering::WindowBelow);
}

void EditorController::createDisplay() {
    display = std::make_shared<EchoDisplayView>(rectOf(layout::echoDisplay));
    for (int index = 0; index < kNumParams; ++index) {
        display->setParameter(index, host != nullptr ? host->parameterValue(index) : 0.0f);
    }
    view.addSubview(display);
    // Engraved as the maker's name above it is, in its colour, a size between that name's and
    // the subtitle's: at 1x six pixels with one-pixel strokes, the smallest lettering on the
    // panel that reads at a glance (the dim four and a half of the subtitle's line did not).
    const TextStyle style{6.0, 1.0, 1.2, true};
    format = std::make_shared<EngravedTextView>(rectOf(layout::formatName),
                                                host != nullptr ? host->formatName() : "", style,
                                                palette::lettering, layout::formatNameBaseline);
    view.addSubview(format);
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
    showReadout(clock());
}

void EditorController::knobReleased(int parameter) {
    if (parameter == gestureParameter) endGesture();
    const Clock::time_point now = clock();
    readouts.dragEnded(parameter, now);
    showReadout(now);
}

// A click is a whole gesture of its own.
void EditorController::switchClicked(int parameter, int state) {
    beginGesture(parameter);
    send(parameter, control_values::valueOfSwitchState(state));
    endGesture();
    const Clock::time_point now = clock();
    readouts.touched(parameter, now);
    showReadout(now);
}

void EditorController::knobPressed(int parameter) {
    // A press is another action: the wheel's gesture, if one is under way, is over.
    if (wheel.parameter() >= 0) endGesture();
    readouts.dragStarted(parameter);
    showReadout(clock());
}

void EditorController::knobWheeled(int parameter, std::int32_t step) {
    const Clock::time_point now = clock();
    // Begins the wheel's gesture on this knob, ending any other first.
    if (wheel.parameter() != parameter) beginGesture(parameter);
    wheel.notch(parameter, now);
    send(parameter, control_values::valueOfKnobStep(step));
    readouts.touched(parameter, now);
    showReadout(now);
}

void EditorController::knobResetAsked(int parameter) {
    Knob* knob = knobForParameter(parameter);
    if (knob == nullptr || host == nullptr) return;
    const float value = host->factoryValue(parameter);
    beginGesture(parameter);
    send(parameter, value);
    endGesture();
    knob->setStep(control_values::knobStepFor(value));
    const Clock::time_point now = clock();
    readouts.touched(parameter, now);
    showReadout(now);
}

void EditorController::pointerEntered(int parameter) {
    readouts.pointerEntered(parameter);
    showReadout(clock());
}

void EditorController::pointerLeft(int parameter) {
    const Clock::time_point now = clock();
    readouts.pointerLeft(parameter, now);
    showReadout(now);
}

void EditorController::pressedElsewhere() {
    if (wheel.parameter() >= 0) endGesture();
}

void EditorController::tick() {
    const Clock::time_point now = clock();
    if (wheel.restedAt(now)) endGesture();
    showReadout(now);
}

void EditorController::showReadout(Clock::time_point now) {
    const int parameter = readouts.shownAt(now);
    if (parameter < 0) {
        display->hideReadout();
        return;
    }
    const float value = host != nullptr
                            ? host->parameterValue(parameter)
                            : display->parameters()[static_cast<std::size_t>(parameter)];
    const std::optional<DelayLength> delay =
        parameter == kDelay && host != nullptr ? host->delayLength() : std::nullopt;
    display->showReadout(readout::readoutOf(parameter, value, delay));
}

void EditorController::send(int parameter, float value) {
    const auto at = static_cast<std::size_t>(parameter);
    // A value the controls already show would change nothing but restart the delay lines.
    if (host != nullptr && value != display->parameters()[at]) {
        host->changeByGesture(parameter, value);
        sent[at] = value;
    }
    display->setParameter(parameter, value);
    view.setNeedsRedraw(true);
}

void EditorController::beginGesture(int parameter) {
    endGesture();
    gestureParameter = parameter;
    if (host != nullptr) host->beginGesture(parameter);
}

void EditorController::endGesture() {
    wheel.ended();
    if (gestureParameter < 0) return;
    const int parameter = gestureParameter;
    gestureParameter = -1;
    if (host != nullptr) host->endGesture(parameter);
}

void EditorController::showParameter(int index, float value) {
    if (index < 0 || index >= kNumParams) return;
    if (isOwnChangeComingBack(index, value)) return;
    if (Knob* knob = knobForParameter(index)) {
        knob->setStep(control_values::knobStepFor(value));
    } else if (LoopSwitch* toggle = switchForParameter(index)) {
        toggle->setState(control_values::switchStateFor(value));
    }
    display->setParameter(index, value);
    // A readout on show follows the value (the host's automation, a program change).
    showReadout(clock());
    view.setNeedsRedraw(true);
}

// Every format hands the editor its own changes back: a host that sends each write back at its
// next idle, or the effect that tells the editor of every change whichever thread made it. Taken
// as a move from outside, such a value, arriving while a drag goes on, would make the knob start
// again from the step it had reached while the drag kept its whole distance from the press, and
// run away. So the value this editor sent last for a parameter does not move its control; any
// other value clears the mark, so that a genuine return to it is still followed.
bool EditorController::isOwnChangeComingBack(int index, float value) {
    std::optional<float>& mark = sent[static_cast<std::size_t>(index)];
    // Compared as bits: hosts keep the float they were given.
    const bool comingBack =
        mark && std::bit_cast<std::uint32_t>(*mark) == std::bit_cast<std::uint32_t>(value);
    mark.reset();
    return comingBack;
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
