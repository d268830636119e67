// The effect's parameter changes on their way to the user-interface thread. Any thread may post
// (a host's automation thread, the audio thread while it takes up a new sample rate): posting
// stores the value into the parameter's slot and raises its bit in the dirty mask, with no lock,
// no allocation and no system call. The user-interface thread takes the whole mask at once and
// applies the latest value of each parameter that changed. Changes of one parameter that come
// faster than the interface looks collapse into the last one, which is all a display needs.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "ParameterTable.h"

class ParameterMailbox {
public:
    static constexpr int kSlots = kNumParams;

    // Keeps `value` as the newest one for `index`; indexes outside the slots are dropped.
    void post(int index, float value) {
        if (index < 0 || index >= kSlots) return;
        slots[static_cast<std::size_t>(index)].store(value, std::memory_order_relaxed);
        // Release: whoever sees the bit also sees the value stored before it.
        dirty.fetch_or(bitOf(index), std::memory_order_release);
    }

    // Hands every parameter posted since the last delivery to `apply(index, value)`, lowest index
    // first. A value posted while this runs is either delivered now or left for the next time.
    template <typename Apply>
    void deliver(Apply&& apply) {
        const std::uint32_t pending = dirty.exchange(0u, std::memory_order_acquire);
        if (pending == 0u) return;
        for (int index = 0; index < kSlots; ++index) {
            if ((pending & bitOf(index)) == 0u) continue;
            apply(index, slots[static_cast<std::size_t>(index)].load(std::memory_order_relaxed));
        }
    }

    // Forgets whatever is pending (a fresh view reads the effect's parameters itself).
    void discard() { dirty.store(0u, std::memory_order_relaxed); }
    bool hasPending() const { return dirty.load(std::memory_order_relaxed) != 0u; }

private:
    static constexpr std::uint32_t bitOf(int index) { return 1u << static_cast<unsigned>(index); }

    std::array<std::atomic<float>, kSlots> slots{};
    std::atomic<std::uint32_t> dirty{0u};

    static_assert(std::atomic<float>::is_always_lock_free);
    static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
};
