// A host's idle loop in small: the plug-in's side is pumped every 5 ms, as hosts idle an open
// editor, while the caller waits for what the pumping should bring about.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Pumps until `done` holds; false when it still does not after two seconds.
inline bool pumpUntil(const std::function<void()>& pump, const std::function<bool()>& done) {
    for (int i = 0; i < 400; ++i) {
        pump();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Pumps for a while, for what should not happen to have its chance.
inline void pumpFor(const std::function<void()>& pump, std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
