// The face laid over a knob: it shows the knob's frame picture a second time, replacing what its
// own layer holds, and leaves the mouse to the knob beneath. The knob's look is the frame laid on
// twice (the second blend gives the anti-aliased rim its weight), and every picture of the editor
// is made that way.
#pragma once

#include <memory>

#include "Image.h"
#include "View.h"

class KnobFace : public ui::View {
public:
    explicit KnobFace(ui::Rect frame) : View(frame) {}

    // The picture to show from the next drawing on; null shows nothing.
    void setPicture(std::shared_ptr<ui::Image> shown) { picture = std::move(shown); }

    void draw(ui::Rect dirtyRect) override;
    // Never the target of the mouse: presses and drags go to the knob.
    View* hitTest(ui::Point point) override;

private:
    std::shared_ptr<ui::Image> picture;
};
