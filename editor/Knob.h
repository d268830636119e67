// The rotary knob: a square view showing one of a list of pre-rendered frame pictures, the one of
// its pointer view's current step. The pointer view (a KnobPointer of the knob's size, laid
// over it) takes the mouse and keeps the step.
#pragma once

#include <cstdint>
#include <memory>

#include "Color.h"
#include "Image.h"
#include "KnobPointer.h"
#include "View.h"

class Knob : public ui::View {
public:
    // The pointer-colour and background-colour arguments have no effect: the pointer is never
    // drawn and the knob's layer is always transparent. The frame pictures are shared.
    Knob(ui::Rect frame, std::int32_t insets, std::int32_t controlPointDiameter,
         ui::Color controlPointColor, ui::Color knobColor, ui::Color backgroundColor,
         std::shared_ptr<ui::ImageList> pointerToArray);

    // Draws frame picture trunc(step x 1.27) over the whole knob, replacing what is beneath.
    void drawRect(ui::Rect dirtyRect) override;

    KnobPointer* controlPoint() const { return _controlPoint.get(); }
    void setControlPoint(std::shared_ptr<KnobPointer> pointer) {
        _controlPoint = std::move(pointer);
    }
    std::int32_t control() const { return _control; }
    void setControl(std::int32_t tag) { _control = tag; }

    std::int32_t insets() const { return _insets; }
    ui::Color backgroundColor() const { return _backgroundColor; }
    ui::Color knobColor() const { return _knobColor; }
    const std::shared_ptr<ui::ImageList>& animationImages() const { return _animationImages; }

private:
    std::int32_t _insets = 0;
    ui::Color _backgroundColor = ui::Color::clearColor();
    ui::Color _knobColor = ui::Color::clearColor();
    std::shared_ptr<ui::ImageList> _animationImages;
    std::int32_t _control = 0;
    std::shared_ptr<KnobPointer> _controlPoint;
};
