// Where the editor puts its controls, and which parameter each one moves: frames in points with
// the origin at the bottom-left corner of the 344 x 400 view. The editor builds its controls from
// this table, the picture generator letters the background around the same frames, and the demo
// program lays out the same controls, so none of them can drift from the others. The pictures are
// drawn in rows from the top, so a frame also answers in top-down coordinates.
#pragma once

#include <array>
#include <string_view>

#include "ParameterTable.h"

namespace layout {

constexpr int viewWidth = 344;
constexpr int viewHeight = 400;
constexpr int knobSize = 48;
constexpr int switchWidth = 15;
constexpr int switchHeight = 16;

struct Frame {
    int x;
    int y;  // bottom edge, measured upward from the bottom of the view
    int width;
    int height;

    constexpr int top() const { return viewHeight - y - height; }
    constexpr int bottom() const { return viewHeight - y; }
    constexpr double centerX() const { return x + width / 2.0; }
};

struct Control {
    ParameterIndex parameter;
    std::string_view label;  // lettered on the background next to the control
    Frame frame;
};

// The knobs in the order they are built and stacked.
constexpr std::array knobs{
    Control{kDelay, "DELAY TIME", {60, 202, knobSize, knobSize}},
    Control{kMix, "MIX", {239, 202, knobSize, knobSize}},
    Control{kFeedBack, "FEEDBACK", {154, 202, knobSize, knobSize}},
    Control{kLowPass, "LOW PASS", {117, 119, knobSize, knobSize}},
    Control{kHighPass, "HIGH PASS", {192, 119, knobSize, knobSize}},
    Control{kPanWidth, "PAN WIDTH", {75, 37, knobSize, knobSize}},
    Control{kPan, "PAN", {222, 37, knobSize, knobSize}},
};

// The filter-placement switches, above the knobs: lit, the filter sits inside the feedback loop
// and darkens or thins every repeat again; dark, it only shapes the echo that is heard.
constexpr std::array switches{
    Control{kLowPassInLoop, "LOOP", {82, 132, switchWidth, switchHeight}},
    Control{kHighPassInLoop, "LOOP", {253, 132, switchWidth, switchHeight}},
};

inline constexpr const Frame& panKnob = knobs[6].frame;

// The display in the header: the glass is part of the background picture, the echoes and the
// readouts are drawn on it while the editor runs.
constexpr Frame echoDisplay{20, 274, 304, 50};

// The display's rows, counted down from its top edge, for a display `height` points high. A
// band along the top is the readout's: the echoes are pictured below it, about a middle line of
// their own, so a readout never hides a repeat, whatever the delay puts under it. The band is
// kept whether a readout shows or not: a picture that shrank whenever the pointer came near a
// control would jump under the hand, and its sides would no longer compare with what was there.
constexpr int echoReadoutBand = 12;
constexpr double echoMiddleRow(double height) {
    // On a pixel's centre at every quarter scale, as the middle line of the glass is drawn.
    return static_cast<int>((height + echoReadoutBand) / 2.0) + 0.5;
}
// How far from the middle line a repeat at full level reaches, on either side: its glow (four
// and a half points beyond the tip, round) ends at the band.
constexpr double echoFullLevel(double height) {
    return echoMiddleRow(height) - echoReadoutBand - 4.5;
}

// Under the maker's name in the header, set against its right edge: the name of the plug-in
// format the editor runs in, lettered while it runs (the same background serves every format).
// Its edges lie on whole points divisible by four, whole pixels at every quarter scale, so the
// lettering sits on the pixel grid.
constexpr Frame formatName{200, 352, 122, 12};
constexpr double formatNameBaseline = 10.5;  // from the frame's top edge

// Every parameter has exactly one control.
static_assert(knobs.size() + switches.size() == static_cast<std::size_t>(kNumParams));

}  // namespace layout
