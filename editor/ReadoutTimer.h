// Which parameter's readout the editor shows, over time: the one of the control being dragged,
// else the one the pointer is over, for as long as it is; after that, or after a moment's change
// (a wheel notch, a reset, a click), for a little longer, so the eye can catch the value once the
// hand is off. The lingering is for a hand that has left the controls: the pointer reaching
// another control ends it at once, so the readout follows the pointer from knob to knob.
#pragma once

#include <chrono>

class ReadoutTimer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kLinger{1000};

    // The control of `parameter` is being dragged, until dragEnded.
    void dragStarted(int parameter) { dragged = parameter; }
    void dragEnded(int parameter, Clock::time_point now) {
        if (dragged != parameter) return;
        dragged = -1;
        linger(parameter, now);
    }
    // The pointer is over the control of `parameter`, until pointerLeft.
    void pointerEntered(int parameter) {
        pointed = parameter;
        if (lingering != parameter) lingering = -1;
    }
    void pointerLeft(int parameter, Clock::time_point now) {
        if (pointed != parameter) return;
        pointed = -1;
        linger(parameter, now);
    }
    // `parameter` changed at `now` by a moment's action: shown a little while.
    void touched(int parameter, Clock::time_point now) { linger(parameter, now); }

    // The parameter whose readout shows at `now`; -1 for none.
    int shownAt(Clock::time_point now) const {
        if (dragged >= 0) return dragged;
        if (lingering >= 0 && now < lingerEnd) return lingering;
        return pointed;
    }

private:
    void linger(int parameter, Clock::time_point now) {
        lingering = parameter;
        lingerEnd = now + kLinger;
    }

    int dragged = -1;
    int pointed = -1;
    int lingering = -1;
    Clock::time_point lingerEnd{};
};
