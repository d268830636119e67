#pragma once

#include <array>
#include <string_view>

// Where the editor puts its controls: frames in points with the origin at the bottom-left
// corner of the 344 x 400 view, as the editor lays them out. The pictures are drawn in rows
// from the top, so everything here also answers in top-down coordinates.
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

struct LabelledControl {
  std::string_view label;
  Frame frame;
};

constexpr std::array knobs{
    LabelledControl{"DELAY TIME", {60, 202, knobSize, knobSize}},
    LabelledControl{"MIX", {239, 202, knobSize, knobSize}},
    LabelledControl{"FEEDBACK", {154, 202, knobSize, knobSize}},
    LabelledControl{"LOW PASS", {117, 119, knobSize, knobSize}},
    LabelledControl{"HIGH PASS", {192, 119, knobSize, knobSize}},
    LabelledControl{"PAN WIDTH", {75, 37, knobSize, knobSize}},
    LabelledControl{"PAN", {222, 37, knobSize, knobSize}},
};

// The filter-placement switches: lit, the filter sits inside the feedback loop and darkens or
// thins every repeat again; dark, it only shapes the echo that is heard.
constexpr std::array switches{
    LabelledControl{"LOOP", {82, 132, switchWidth, switchHeight}},
    LabelledControl{"LOOP", {253, 132, switchWidth, switchHeight}},
};

inline constexpr const Frame& panKnob = knobs[6].frame;

}  // namespace layout
