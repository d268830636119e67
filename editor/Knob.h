// The rotary knob: a square view that shows the frame picture of its current step (0 to 99 by
// dragging, 100 for a parameter at 1.0) and turns with the mouse. A drag is vertical and relative
// to the press: one point up turns the knob one degree toward its highest step, and 270 points
// cover the whole travel; with Shift held, a step takes 8 points (see FineAndWheelSteps.h). Each
// new step a drag reaches is told to the listener with the knob's parameter, as is each wheel
// notch's step; a double click, or a press with Control held, asks the listener for a reset.
#pragma once

#include <cstdint>
#include <memory>

#include "ControlListener.h"
#include "FineAndWheelSteps.h"
#include "Image.h"
#include "KnobFace.h"
#include "View.h"

class Knob : public ui::View {
public:
    // The steps a drag reaches, 0 to kSteps - 1.
    static constexpr std::uint32_t kSteps = 100;

    // Starts at step 50, resting at 85 degrees. `pictures` (the frame pictures, shared between
    // the knobs) are decoded when first drawn.
    Knob(ui::Rect frame, int parameter, std::shared_ptr<const ui::ImageList> pictures);

    int parameter() const { return _parameter; }
    void setListener(ControlListener* listener) { _listener = listener; }

    std::int32_t step() const { return _step; }
    // Moves the knob to `step` from outside, without telling the listener. The next drag starts
    // from there: the rest angle moves to the step, which also counts as the one last reported.
    void setStep(std::int32_t step);

    void mouseDown(const ui::MouseEvent& event) override;
    void mouseDragged(const ui::MouseEvent& event) override;
    void mouseUp(const ui::MouseEvent& event) override;
    void mouseMoved(const ui::MouseEvent& event) override;
    void mouseLeft(const ui::MouseEvent& event) override;
    void wheelTurned(const ui::MouseEvent& event) override;
    // A press in an inactive window turns the knob at once.
    bool acceptsPressWhileInactive(const ui::MouseEvent& event) override;
    // Draws the frame picture trunc(step x 1.27) over the whole knob, replacing what its layer
    // holds; a step without a picture shows nothing.
    void draw(ui::Rect dirtyRect) override;

private:
    // The frame picture of the current step; null for a step without one.
    std::shared_ptr<ui::Image> currentPicture() const;
    // The step shown changed: the face follows and the knob is drawn again.
    void showStep();
    // Makes `step` the one a drag starts from.
    void restAt(std::int32_t step);
    // The step a drag event at height `y` (points, in this view) reaches, plain or fine.
    std::int32_t stepOfDrag(const ui::MouseEvent& event, double y);
    // Tells the listener of a new step the knob moved to by itself.
    void report(std::int32_t step, bool byWheel);

    int _parameter;
    std::shared_ptr<const ui::ImageList> pictures;
    std::shared_ptr<KnobFace> face;
    ControlListener* _listener = nullptr;
    std::int32_t _step = 50;             // the step shown
    std::int32_t restAngle = 85;         // the whole-degree angle a drag is measured from
    std::int32_t pressHeight = 0;        // y of the last press, in this view
    std::int32_t lastReportedStep = 50;  // a drag tells only of steps other than this one
    bool pressAskedReset = false;        // the drags of a reset's press change nothing
    bool fine = false;                   // the drag is fine (Shift held) since the anchor below
    std::int32_t fineAnchorStep = 0;
    double fineAnchorY = 0.0;
};
