// The knob's pointer view: it lies over the knob at the knob's size, takes the mouse, keeps the
// knob's step and tells the delegate when a drag reaches a new one. It draws the knob's current
// picture again and nothing of its own.
//
// A drag is vertical and relative to the press: one point up turns the knob one degree toward its
// highest step, and 270 points cover the whole travel.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Color.h"
#include "ControlListener.h"
#include "View.h"

class KnobPointer : public ui::View {
public:
    // Starting positions: 0 rests at the lowest step; 1 rests at 85 degrees with step 50.
    KnobPointer(ui::Rect frame, std::int32_t insets, std::int32_t controlPointDiameter,
                ui::Color controlPointColor, std::int32_t position);

    // The values the knob steps through; the step is an index into it. Shared with the creator.
    void setData(std::shared_ptr<std::vector<int>> steps) { _data = std::move(steps); }
    const std::shared_ptr<std::vector<int>>& data() const { return _data; }
    void setDelegate(ControlListener* receiver) { _delegate = receiver; }
    ControlListener* delegate() const { return _delegate; }

    // Moves the knob to step `v` from outside, without a callback. The next drag starts from
    // there: the rest angle moves to the step, which also counts as the one last reported.
    void setIntValue(std::int32_t v);
    std::int32_t ReturnValue() const { return _value; }

    void mouseDown(const ui::MouseEvent& event) override;
    void mouseDragged(const ui::MouseEvent& event) override;
    void mouseUp(const ui::MouseEvent& event) override;
    // The work of one drag event.
    void updateWithYcoord(const ui::MouseEvent& event);
    // A press in an inactive window turns the knob at once, and never drags the window.
    bool acceptsFirstMouse(const ui::MouseEvent& event) override;
    bool mouseDownCanMoveWindow() const override;
    void drawRect(ui::Rect dirtyRect) override;

    // Plain accessors, without redraw or callback.
    float currentDraggedAngle() const { return _currentDraggedAngle; }
    void setCurrentDraggedAngle(float angle) { _currentDraggedAngle = angle; }
    std::int32_t currentAngle() const { return _currentAngle; }
    void setCurrentAngle(std::int32_t angle) { _currentAngle = angle; }
    std::int32_t mouseDownPosition() const { return _mouseDownPosition; }
    void setMouseDownPosition(std::int32_t y) { _mouseDownPosition = y; }
    std::int32_t previousValue() const { return _previousValue; }
    void setPreviousValue(std::int32_t step) { _previousValue = step; }
    std::int32_t value() const { return _value; }
    void setValue(std::int32_t step) { _value = step; }
    std::int32_t insets() const { return _insets; }
    void setInsets(std::int32_t points) { _insets = points; }
    std::int32_t controlPointDiameter() const { return _controlPointDiameter; }
    void setControlPointDiameter(std::int32_t points) { _controlPointDiameter = points; }
    ui::Color controlPointColor() const { return _controlPointColor; }
    void setControlPointColor(ui::Color color) { _controlPointColor = color; }

private:
    std::uint32_t stepCount() const;
    // Makes `step` the one a drag starts from.
    void restAt(std::int32_t step);

    float _currentDraggedAngle = 0.0f;    // the angle shown
    std::int32_t _currentAngle = 0;       // the rest angle a drag is measured from
    std::int32_t _mouseDownPosition = 0;  // y of the last press, in this view
    std::int32_t _previousValue = 0;      // the step last reported
    std::int32_t _value = 0;              // the current step
    std::int32_t _insets = 0;
    std::int32_t _controlPointDiameter = 0;
    ui::Color _controlPointColor = ui::Color::clearColor();
    std::shared_ptr<std::vector<int>> _data;
    ControlListener* _delegate = nullptr;
};
