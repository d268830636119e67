#include "KnobPointer.h"

#include <algorithm>

#include "Knob.h"
#include "KnobArithmetic.h"

KnobPointer::KnobPointer(ui::Rect frame, std::int32_t insets, std::int32_t controlPointDiameter,
                         ui::Color /*controlPointColor*/, std::int32_t position)
    : View(frame), _insets(insets), _controlPointDiameter(controlPointDiameter) {
    // The pointer dot is never drawn, so whatever colour is passed, it is the transparent one.
    _controlPointColor = ui::Color::clearColor();
    switch (position) {
        case 0:
            _currentAngle = 225;
            _currentDraggedAngle = 225.0f;
            _previousValue = 0;
            _value = 0;
            break;
        case 1:
            // A rest angle of 85 rather than the 88.64 degrees of step 50.
            _currentAngle = 85;
            _currentDraggedAngle = 85.0f;
            _previousValue = 50;
            _value = 50;
            break;
        default:
            break;
    }
}

std::uint32_t KnobPointer::stepCount() const {
    return _data ? static_cast<std::uint32_t>(_data->size()) : 0u;
}

void KnobPointer::setIntValue(std::int32_t v) {
    _value = v;
    _currentDraggedAngle = knob::angleForIndex(stepCount(), v);
    restAt(v);
    setNeedsDisplay(true);
}

// A step beyond the drag range (100 for a parameter at 1.0) rests at the nearest end, which
// sends the same value, so grabbing the knob there changes nothing.
void KnobPointer::restAt(std::int32_t step) {
    const std::uint32_t count = stepCount();
    if (count < 2) return;
    const auto last = static_cast<std::int32_t>(count - 1);
    _currentAngle = knob::restAngleForIndex(count, step);
    _previousValue = step < 0 ? 0 : (step > last ? last : step);
}

void KnobPointer::mouseDown(const ui::MouseEvent& event) {
    const ui::Point inView = convertPoint(event.locationInWindow(), nullptr);
    _mouseDownPosition = knob::truncateToInt32(inView.y);
}

void KnobPointer::mouseDragged(const ui::MouseEvent& event) { updateWithYcoord(event); }

void KnobPointer::updateWithYcoord(const ui::MouseEvent& event) {
    // Without at least two steps there is no travel to divide; such a knob does not turn.
    const std::uint32_t count = stepCount();
    if (count < 2) return;

    const std::int32_t y = knob::truncateToInt32(convertPoint(event.locationInWindow(), nullptr).y);
    const std::int64_t raw = std::int64_t{_currentAngle} + _mouseDownPosition - y;
    float angle = static_cast<float>(raw);
    angle = std::min(angle, knob::kLowestAngle);
    angle = std::max(angle, knob::kHighestAngle);
    _currentDraggedAngle = angle;

    const std::int32_t index = knob::indexForAngle(count, angle);
    // The step shown stays until the drag reaches another one (a knob resting beyond the drag
    // range keeps its picture while the mouse has not moved it).
    if (index == _previousValue) return;
    _value = index;
    _previousValue = index;
    if (_delegate != nullptr) {
        // The controller may rebuild the views from inside the callback: stay alive through it.
        const auto keepAlive = weak_from_this().lock();
        const int* entry = &(*_data)[static_cast<std::size_t>(index)];
        _delegate->knobUpdatedWithIndex(index, entry, superview());
    }
    _currentDraggedAngle = knob::angleForIndex(count, index);
    setNeedsDisplay(true);
}

void KnobPointer::mouseUp(const ui::MouseEvent& /*event*/) {
    // The next drag starts from the step shown, wherever between steps the mouse was let go.
    if (stepCount() >= 2) {
        restAt(_value);
    } else {
        _currentAngle = knob::truncateToInt32(_currentDraggedAngle);
    }
    if (_delegate != nullptr) {
        const auto keepAlive = weak_from_this().lock();
        _delegate->controlReleased(superview());
    }
}

bool KnobPointer::acceptsFirstMouse(const ui::MouseEvent& /*event*/) { return true; }

bool KnobPointer::mouseDownCanMoveWindow() const { return false; }

void KnobPointer::drawRect(ui::Rect dirtyRect) {
    if (auto* knobView = dynamic_cast<Knob*>(superview())) knobView->drawRect(dirtyRect);
}
