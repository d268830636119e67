// Which parameter's readout the editor shows, over time: the one of the control being dragged or
// pointed at, for as long as it is; after that, or after a moment's change (a wheel notch, a
// reset), for a little longer, so the eye can catch the value once the hand is off.
#pragma once

#include <chrono>

class ReadoutTimer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kLinger{1000};

    // `parameter` is being dragged or pointed at: shown until let go.
    void hold(int parameter) {
        held = parameter;
        lingering = -1;
    }
    // The drag or the pointing at `parameter` ended at `now`: shown a little longer.
    void letGo(int parameter, Clock::time_point now) {
        if (held != parameter) return;
        held = -1;
        linger(parameter, now);
    }
    // `parameter` changed at `now` without being held: shown a little while, unless a control
    // is held (its readout stays).
    void touch(int parameter, Clock::time_point now) {
        if (held >= 0) return;
        linger(parameter, now);
    }
    void clear() {
        held = -1;
        lingering = -1;
    }

    // The parameter whose readout shows at `now`; -1 for none.
    int shownAt(Clock::time_point now) const {
        if (held >= 0) return held;
        if (lingering >= 0 && now < lingerEnd) return lingering;
        return -1;
    }

private:
    void linger(int parameter, Clock::time_point now) {
        lingering = parameter;
        lingerEnd = now + kLinger;
    }

    int held = -1;
    int lingering = -1;
    Clock::time_point lingerEnd{};
};
