// The pictures the tests link in place of the plug-in's resources: the same names, with colours
// a test can read back, plus a few pictures made for particular checks.
#pragma once

namespace test_pictures {

// The colour at the centre of knob picture k: red 2k, green 100, blue 50, opaque. The knob's
// corners are transparent.
constexpr int knobCentreRed(int k) { return 2 * k; }
constexpr int kKnobCentreGreen = 100;
constexpr int kKnobCentreBlue = 50;

// "delaybackground": opaque, this colour everywhere.
constexpr int kBackgroundRed = 30, kBackgroundGreen = 34, kBackgroundBlue = 40;

// "switchoff" and "switchon": an opaque centre of their colour inside a two-pixel white ring at
// half opacity.
constexpr int kSwitchOffRed = 70, kSwitchOffGreen = 70, kSwitchOffBlue = 70;
constexpr int kSwitchOnRed = 60, kSwitchOnGreen = 220, kSwitchOnBlue = 90;

// "half-red": 4 by 4, pure red at half opacity.
// "top-blue": 2 by 2, its top row blue and its bottom row red, all opaque.
// "broken": bytes that are not a picture.

// How many times a picture was looked up since the last reset.
int lookups();
void resetLookups();

}  // namespace test_pictures
