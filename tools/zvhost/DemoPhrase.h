// The demo's input: a short stereo phrase made in code, so the demo needs no audio file.
#pragma once

#include "AudioFile.h"

#include <vector>

namespace zvhost {

// One note of the phrase.
struct DemoNote {
    double start;      // seconds
    double frequency;  // Hz; 0 for the drum
    double left;       // gain on each channel
    double right;
};

// Plucked strings and one drum hit, each ringing for kDemoNoteSeconds with silence after it, so
// the echoes can be heard (and seen) on their own. Plucks on the left and on the right show that
// each echo comes out on the other side. The same phrase every time.
const std::vector<DemoNote>& demoNotes();
constexpr double kDemoNoteSeconds = 0.3;
constexpr double kDemoPhraseSeconds = 3.0;

Audio synthesizeDemoPhrase(int sampleRate);

}  // namespace zvhost
