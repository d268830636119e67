#include "Knob.h"

#include <algorithm>
#include <cmath>

#include "KnobArithmetic.h"

Knob::Knob(ui::Rect frame, int parameter, std::shared_ptr<const ui::ImageList> framePictures)
    : View(frame), _parameter(parameter), pictures(std::move(framePictures)) {
    // The knob draws into a transparent layer of its own, so its picture's transparent corners
    // show what lies beneath.
    setDrawsInOwnLayer(true);
    face = std::make_shared<KnobFace>(ui::Rect{0.0, 0.0, frame.size.width, frame.size.height});
    face->setPicture(currentPicture());
    addSubview(face);
}

std::shared_ptr<ui::Image> Knob::currentPicture() const {
    const std::int64_t k = knob::pictureForValue(_step);
    if (!pictures || k < 0 || k >= static_cast<std::int64_t>(pictures->size())) return nullptr;
    return (*pictures)[static_cast<std::size_t>(k)];
}

void Knob::showStep() {
    face->setPicture(currentPicture());
    setNeedsRedraw(true);
}

void Knob::setStep(std::int32_t step) {
    _step = step;
    restAt(step);
    showStep();
}

// A step beyond the drag range (100 for a parameter at 1.0) rests at the nearest end, which
// sends the same value, so grabbing the knob there changes nothing.
void Knob::restAt(std::int32_t step) {
    constexpr auto last = static_cast<std::int32_t>(kSteps - 1);
    restAngle = knob::restAngleForIndex(kSteps, step);
    lastReportedStep = std::clamp(step, 0, last);
}

void Knob::mouseDown(const ui::MouseEvent& event) {
    const ui::Point inView = convertPoint(event.locationInWindow());
    pressHeight = knob::truncateToInt32(inView.y);
    // Shift held from the press: the fine drag counts from the press.
    fine = event.shiftHeld();
    fineAnchorStep = lastReportedStep;
    fineAnchorY = std::floor(inView.y);
    pressAskedReset = event.clickCount() >= 2 || event.controlHeld();
    if (_listener == nullptr) return;
    const auto keepAlive = weak_from_this().lock();
    _listener->knobPressed(_parameter);
    if (pressAskedReset) _listener->knobResetAsked(_parameter);
}

// The plain drag is measured from the rest angle and the press, in positions truncated toward
// zero; a fine one from where Shift was pressed, at the step shown then, in positions made whole
// downward, so that the same distance up or down counts the same whole points (truncation would
// lump the points either side of the knob's lower edge, where the view's coordinates change sign,
// together). Letting Shift go mid-drag goes on plainly from the step shown, as if the press had
// been there.
std::int32_t Knob::stepOfDrag(const ui::MouseEvent& event, double height) {
    if (event.shiftHeld()) {
        if (!fine) {
            fine = true;
            fineAnchorStep = lastReportedStep;
            fineAnchorY = std::floor(height);
        }
        return knob_steps::afterFineDrag(fineAnchorStep, fineAnchorY, std::floor(height));
    }
    const std::int32_t y = knob::truncateToInt32(height);
    if (fine) {
        fine = false;
        restAt(lastReportedStep);
        pressHeight = y;
    }
    const std::int64_t raw = std::int64_t{restAngle} + pressHeight - y;
    float angle = static_cast<float>(raw);
    angle = std::min(angle, knob::kLowestAngle);
    angle = std::max(angle, knob::kHighestAngle);
    return knob::indexForAngle(kSteps, angle);
}

void Knob::mouseDragged(const ui::MouseEvent& event) {
    if (pressAskedReset) return;
    const std::int32_t reached = stepOfDrag(event, convertPoint(event.locationInWindow()).y);
    // The step shown stays until the drag reaches another one (a knob resting beyond the drag
    // range keeps its picture while the mouse has not moved it).
    if (reached == lastReportedStep) return;
    report(reached, false);
}

void Knob::report(std::int32_t step, bool byWheel) {
    _step = step;
    lastReportedStep = step;
    if (_listener != nullptr) {
        // The listener may rebuild the views from inside the call: stay alive through it.
        const auto keepAlive = weak_from_this().lock();
        if (byWheel) {
            _listener->knobWheeled(_parameter, step);
        } else {
            _listener->knobTurned(_parameter, step);
        }
    }
    showStep();
}

void Knob::mouseUp(const ui::MouseEvent& /*event*/) {
    // The next drag starts from the step shown, wherever between steps the mouse was let go.
    restAt(_step);
    fine = false;
    pressAskedReset = false;
    if (_listener != nullptr) {
        const auto keepAlive = weak_from_this().lock();
        _listener->knobReleased(_parameter);
    }
}

void Knob::mouseMoved(const ui::MouseEvent& /*event*/) {
    if (_listener != nullptr) _listener->pointerEntered(_parameter);
}

void Knob::mouseLeft(const ui::MouseEvent& /*event*/) {
    if (_listener != nullptr) _listener->pointerLeft(_parameter);
}

void Knob::wheelTurned(const ui::MouseEvent& event) {
    const std::int32_t step = knob_steps::afterWheel(_step, event.wheelNotches());
    if (step == std::min(_step, knob_steps::kLastStep)) return;
    report(step, true);
    // The next drag starts from the step the wheel left.
    restAt(step);
}

bool Knob::acceptsPressWhileInactive(const ui::MouseEvent& /*event*/) { return true; }

void Knob::draw(ui::Rect /*dirtyRect*/) {
    if (const auto picture = currentPicture()) {
        picture->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
    }
    // Knob and holder are drawn again at the next display cycle.
    setNeedsRedraw(true);
    if (superview() != nullptr) superview()->setNeedsRedraw(true);
}
