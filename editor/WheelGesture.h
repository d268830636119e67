// The wheel's gesture on one knob: the host hears a begin at the first notch, every notch's
// value, and an end once the wheel rests for a moment, or at once when anything else happens
// (a press anywhere, the wheel on another knob, the editor closing), as a drag ends at the release.
#pragma once

#include <chrono>

class WheelGesture {
public:
    using Clock = std::chrono::steady_clock;
    // Notches come a few tens of milliseconds apart while a hand turns the wheel; half a second
    // without one is a hand that has stopped.
    static constexpr std::chrono::milliseconds kRest{500};

    // A notch on the knob of `parameter` at `now`; true when it starts a gesture (the caller
    // begins one, after ending any other).
    bool notch(int parameter, Clock::time_point now) {
        const bool starts = current != parameter;
        current = parameter;
        lastNotch = now;
        return starts;
    }
    // Whether the wheel has rested long enough at `now` for the gesture under way to end.
    bool restedAt(Clock::time_point now) const { return current >= 0 && now - lastNotch >= kRest; }
    // The parameter of the gesture under way; -1 for none.
    int parameter() const { return current; }
    void ended() { current = -1; }

private:
    int current = -1;
    Clock::time_point lastNotch{};
};
