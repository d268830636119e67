#include "KnobDelegate13.h"

#include <string>

#include "Color.h"
#include "ControlValues.h"
#include "DetatchedView13.h"
#include "VstXSynth.h"
#include "ZelvasUiView13.h"

namespace {

constexpr int kKnobPictures = 128;
constexpr int kKnobSteps = 100;
constexpr ui::Rect kBackgroundFrame{0, 0, 344, 400};
constexpr ui::Rect kLowPassSwitchFrame{82, 132, 15, 16};
constexpr ui::Rect kHighPassSwitchFrame{253, 132, 15, 16};

struct KnobPlace {
    std::shared_ptr<FlatKnob13> KnobDelegate13::*field;
    int parameter;
    ui::Rect frame;
};

}  // namespace

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
    VstXSynth* effect = mainView.getEffect();
    auto pictures = std::make_shared<ui::ImageList>();
    fillArray(*pictures);

    // Built and stacked in this order; each knob steps through 0 to 99 of its own list.
    const KnobPlace places[] = {
        {&KnobDelegate13::_timeKnob, kDelay, {60, 202, 48, 48}},
        {&KnobDelegate13::_mixKnob, kMix, {239, 202, 48, 48}},
        {&KnobDelegate13::_feedBackKnob, kFeedBack, {154, 202, 48, 48}},
        {&KnobDelegate13::_lowPassKnob, kLowPass, {117, 119, 48, 48}},
        {&KnobDelegate13::_highPassKnob, kHighPass, {192, 119, 48, 48}},
        {&KnobDelegate13::_panWidthKnob, kPanDepth, {75, 37, 48, 48}},
        {&KnobDelegate13::_panKnob, kPan, {222, 37, 48, 48}},
    };
    for (const KnobPlace& place : places) {
        const float v = effect != nullptr ? effect->getParameter(place.parameter) : 0.0f;
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
    for (const KnobPlace& place : places) mainView.addSubview(this->*place.field);
}

void KnobDelegate13::createSwitches() {
    auto off = std::make_shared<ui::Image>("switchoff");
    auto on = std::make_shared<ui::Image>("switchon");
    _lowPassSwitch = std::make_shared<ZelvasCustomImageView13>(kLowPassSwitchFrame, off, on);
    _highPassSwitch = std::make_shared<ZelvasCustomImageView13>(kHighPassSwitchFrame, off, on);
    // The switches start from the filter placements the effect holds, as the knobs start from
    // theirs: a switch left off would turn its placement off at the first touch of any control.
    if (VstXSynth* effect = mainView.getEffect()) {
        _lowPassSwitch->setImageState(
            control_values::switchStateFor(effect->getParameter(kLowPassType)));
        _highPassSwitch->setImageState(
            control_values::switchStateFor(effect->getParameter(kHighPassType)));
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

void KnobDelegate13::knobUpdatedWithIndex(int /*index*/, const int* /*value*/,
                                          ui::View* /*object*/) {
    auto send = [this](int parameter, float value) {
        mainView.updateParameters(parameter, value);
    };
    auto knobValue = [](const FlatKnob13& knob) {
        return control_values::valueOfKnobStep(knob.controlPoint()->ReturnValue());
    };
    // The whole state, in this order: the switches come last, so they always have the last word.
    send(kDelay, knobValue(*_timeKnob));
    send(kMix, knobValue(*_mixKnob));
    send(kFeedBack, knobValue(*_feedBackKnob));
    send(kLowPass, knobValue(*_lowPassKnob));
    send(kHighPass, knobValue(*_highPassKnob));
    send(kPanDepth, knobValue(*_panWidthKnob));
    send(kPan, knobValue(*_panKnob));
    send(kLowPassType, control_values::valueOfSwitchState(_lowPassSwitch->imageState()));
    send(kHighPassType, control_values::valueOfSwitchState(_highPassSwitch->imageState()));
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
    switch (index) {
        case kDelay: return _timeKnob.get();
        case kFeedBack: return _feedBackKnob.get();
        case kLowPass: return _lowPassKnob.get();
        case kHighPass: return _highPassKnob.get();
        case kPan: return _panKnob.get();
        case kPanDepth: return _panWidthKnob.get();
        case kMix: return _mixKnob.get();
        default: return nullptr;
    }
}
