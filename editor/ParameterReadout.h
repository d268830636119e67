// What the editor shows while a control is turned or pointed at: the parameter's name and its
// value in a player's units: the delay in milliseconds and samples, the amounts as percentages,
// the balance as left or right, the filter placements in words. The numbers are what the VST 2
// host's display text says (the samples it counts, the fraction cut to six decimals), converted,
// so the editor never shows a number the host's display contradicts.
#pragma once

#include <optional>
#include <string>

#include "EditorHost.h"

namespace readout {

struct Readout {
    std::string name;   // as the panel letters the control
    std::string value;  // in the player's units
    friend bool operator==(const Readout&, const Readout&) = default;
};

// The readout of parameter `index` at `value`. `delay` is what the side the editor edits knows
// of the delay length at that value (Delay only; nothing when it does not know the rate: the
// milliseconds are then taken from the value alone, to the nearest one). An index outside the
// parameters gives an empty readout.
Readout readoutOf(int index, float value, std::optional<DelayLength> delay);

}  // namespace readout
