#include "KnobDelegate13.h"

#include <string>

#include "Color.h"
#include "ControlValues.h"
#include "DetatchedView13.h"
#include "EditorHost.h"
#include "ParameterTable.h"
#include "ZelvasUiView13.h"

namespace {

constexpr int kKnobPictures = 128;
constexpr int kKnobSteps = 100;
constexpr ui::Rect kBackgroundFrame{0, 0, 344, 400};
constexpr ui::Rect kLowPassSwitchFrame{82, 132, 15, 16};
constexpr ui::Rect kHighPassSwitchFrame{253, 132, 15, 16};

}  // namespace

// Built and stacked in this order; each knob steps through 0 to 99 of its own list.
const KnobDelegate13::KnobPlace KnobDelegate13::kKnobPlaces[kKnobCount] = {
    {&KnobDelegate13::_timeKnob, kDelay, {60, 202, 48, 48}},
    {&KnobDelegate13::_mixKnob, kMix, {239, 202, 48, 48}},
    {&KnobDelegate13::_feedBackKnob, kFeedBack, {154, 202, 48, 48}},
    {&KnobDelegate13::_lowPassKnob, kLowPass, {117, 119, 48, 48}},
    {&KnobDelegate13::_highPassKnob, kHighPass, {192, 119, 48, 48}},
    {&KnobDelegate13::_panWidthKnob, kPanDepth, {75, 37, 48, 48}},
    {&KnobDelegate13::_panKnob, kPan, {222, 37, 48, 48}},
};

KnobDelegate13::KnobDelegate13(ZelvasUiView13& view) : mainView(view) {
    createSubView();
    createKnobs();
    createSwitches();
}

void KnobDelegate13::createSubView() {
    auto background = std::make_shared<DetatchedView13>(
        std::make_shared<ui::Image>("delaybackground"), kBackgroundFrame);
    mainView.addSubview(background, ui::View::Ordering::WindowBelow, nullptr);
}

void KnobDelegate13::createKnobs() {
    EditorHost* effect = mainView.getEffect();
    auto pictures = std::make_shared<ui::ImageList>();
    fillArray(*pictures);

    for (const KnobPlace& place : kKnobPlaces) {
        const float v = effect != nullptr ? effect->parameterValue(place.parameter) : 0.0f;
        auto knob = std::make_shared<FlatKnob13>(place.frame, 2, 3, ui::Color::clearColor(),
                                                 ui::Color::clearColor(),
                                                 ui::Color::clearColor(), pictures);
        knob->setControl(0);
        ControlPoint13* point = knob->controlPoint();
        point->setDelegate(this);
        point->setData(generateArrayFrom(0, kKnobSteps));
        point->setIntValue(control_values::knobStepAtCreation(v));
        this->*place.field = std::move(knob);
    }
    for (const KnobPlace& place : kKnobPlaces) mainView.addSubview(this->*place.field);
}

void KnobDelegate13::createSwitches() {
    auto off = std::make_shared<ui::Image>("switchoff");
    auto on = std::make_shared<ui::Image>("switchon");
    _lowPassSwitch = std::make_shared<ZelvasCustomImageView13>(kLowPassSwitchFrame, off, on);
    _highPassSwitch = std::make_shared<ZelvasCustomImageView13>(kHighPassSwitchFrame, off, on);
    // The switches start from the filter placements the effect holds, as the knobs start from
    // theirs: a switch left off would turn its placement off at the first touch of any control.
    if (EditorHost* effect = mainView.getEffect()) {
        _lowPassSwitch->setImageState(
            control_values::switchStateFor(effect->parameterValue(kLowPassType)));
        _highPassSwitch->setImageState(
            control_values::switchStateFor(effect->parameterValue(kHighPassType)));
    }
    for (const auto& toggle : {_lowPassSwitch, _highPassSwitch}) {
        toggle->setDelegate(this);
        mainView.addSubview(toggle);
    }
}

void KnobDelegate13::fillArray(ui::ImageList& pictures) const {
    pictures.reserve(pictures.size() + kKnobPictures);
    for (int k = 0; k < kKnobPictures; ++k) {
        pictures.push_back(std::make_shared<ui::Image>("fxknob" + std::to_string(k), "png"));
    }
}

std::shared_ptr<std::vector<int>> KnobDelegate13::generateArrayFrom(int from, int to) {
    auto steps = std::make_shared<std::vector<int>>();
    for (int i = from; i < to; ++i) steps->push_back(i);
    return steps;
}

// Only the parameter of the control that moved is sent: re-sending the others from the controls'
// whole steps would round them (a delay of 0.0799 would become 0.07 and restart the lines).
void KnobDelegate13::knobUpdatedWithIndex(int /*index*/, const int* /*value*/, ui::View* object) {
    const int parameter = parameterOfControl(object);
    if (parameter < 0) return;
    if (FlatKnob13* knob = knobForParameter(parameter)) {
        // A drag is one gesture from its first step to the release.
        if (gestureParameter != parameter) beginGesture(parameter);
        mainView.updateParameters(
            parameter, control_values::valueOfKnobStep(knob->controlPoint()->ReturnValue()));
        return;
    }
    // A click is a whole gesture of its own.
    const auto* toggle = static_cast<const ZelvasCustomImageView13*>(object);
    beginGesture(parameter);
    mainView.updateParameters(parameter,
                              control_values::valueOfSwitchState(toggle->imageState()));
    endGesture();
}

void KnobDelegate13::controlReleased(ui::View* object) {
    if (parameterOfControl(object) == gestureParameter) endGesture();
}

void KnobDelegate13::beginGesture(int parameter) {
    endGesture();
    gestureParameter = parameter;
    if (EditorHost* effect = mainView.getEffect()) effect->beginGesture(parameter);
}

void KnobDelegate13::endGesture() {
    if (gestureParameter < 0) return;
    const int parameter = gestureParameter;
    gestureParameter = -1;
    if (EditorHost* effect = mainView.getEffect()) effect->endGesture(parameter);
}

void KnobDelegate13::updateControllers(int index, float value) {
    switch (index) {
        case kLowPassType:
            _lowPassSwitch->setImageState(control_values::switchStateFor(value));
            return;
        case kHighPassType:
            _highPassSwitch->setImageState(control_values::switchStateFor(value));
            return;
        default:
            if (FlatKnob13* knob = knobForParameter(index)) {
                knob->controlPoint()->setIntValue(control_values::knobStepOnUpdate(value));
            }
            return;
    }
}

FlatKnob13* KnobDelegate13::knobForParameter(int index) const {
    for (const KnobPlace& place : kKnobPlaces) {
        if (place.parameter == index) return (this->*place.field).get();
    }
    return nullptr;
}

int KnobDelegate13::parameterOfControl(const ui::View* control) const {
    if (control == nullptr) return -1;
    for (const KnobPlace& place : kKnobPlaces) {
        if ((this->*place.field).get() == control) return place.parameter;
    }
    if (control == _lowPassSwitch.get()) return kLowPassType;
    if (control == _highPassSwitch.get()) return kHighPassType;
    return -1;
}
