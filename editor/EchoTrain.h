// The echoes the current settings make of one short sound fed into both inputs, as the display
// in the header pictures them: when each repeat comes, how loud it is on each side, and how
// much the filters have darkened and thinned it by then. Worked out from the parameters alone,
// on the editor's thread: nothing here touches the audio.
#pragma once

#include <array>
#include <vector>

#include "ParameterTable.h"

namespace echo_train {

struct Echo {
    double seconds;     // after the dry sound
    double left;        // level on the left output, 0 to 1 (the dry sound is 1)
    double right;       // level on the right output
    double brightness;  // 1 untouched, less the more the low-pass has taken off
    double body;        // 1 untouched, less the more the high-pass has taken off
};

using ParameterValues = std::array<float, kNumParams>;

// The repeats that come within `window` seconds while the echo is still at least `quietest` loud
// before the balance and the pan dip, at most `most` of them, earliest first.
std::vector<Echo> echoesOf(const ParameterValues& values, double window, double quietest, int most);

}  // namespace echo_train
