#include "Knob.h"

#include <algorithm>

#include "KnobArithmetic.h"

Knob::Knob(ui::Rect frame, int parameter, std::shared_ptr<const ui::ImageList> framePictures)
    : View(frame), _parameter(parameter), pictures(std::move(framePictures)) {
    // The knob draws into a transparent layer of its own, so its picture's transparent corners
    // show what lies beneath.
    setDrawsInOwnLayer(true);
    layer()->setBackgroundColor(ui::Color::transparent());
    layer()->setCornerRadius(15.0);
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
    const ui::Point inView = convertPoint(event.locationInWindow(), nullptr);
    pressHeight = knob::truncateToInt32(inView.y);
}

void Knob::mouseDragged(const ui::MouseEvent& event) {
    const std::int32_t y = knob::truncateToInt32(convertPoint(event.locationInWindow(), nullptr).y);
    const std::int64_t raw = std::int64_t{restAngle} + pressHeight - y;
    float angle = static_cast<float>(raw);
    angle = std::min(angle, knob::kLowestAngle);
    angle = std::max(angle, knob::kHighestAngle);

    const std::int32_t reached = knob::indexForAngle(kSteps, angle);
    // The step shown stays until the drag reaches another one (a knob resting beyond the drag
    // range keeps its picture while the mouse has not moved it).
    if (reached == lastReportedStep) return;
    _step = reached;
    lastReportedStep = reached;
    if (_listener != nullptr) {
        // The listener may rebuild the views from inside the call: stay alive through it.
        const auto keepAlive = weak_from_this().lock();
        _listener->knobTurned(_parameter, reached);
    }
    showStep();
}

void Knob::mouseUp(const ui::MouseEvent& /*event*/) {
    // The next drag starts from the step shown, wherever between steps the mouse was let go.
    restAt(_step);
    if (_listener != nullptr) {
        const auto keepAlive = weak_from_this().lock();
        _listener->knobReleased(_parameter);
    }
}

bool Knob::acceptsPressWhileInactive(const ui::MouseEvent& /*event*/) { return true; }

bool Knob::pressMovesWindow() const { return false; }

void Knob::draw(ui::Rect /*dirtyRect*/) {
    if (const auto picture = currentPicture()) {
        picture->drawInRect(bounds(), ui::Rect{}, ui::CompositingOperation::Copy, 1.0);
    }
    // Knob and holder are drawn again at the next display cycle.
    setNeedsRedraw(true);
    if (superview() != nullptr) superview()->setNeedsRedraw(true);
}
