// The user's gestures on their way from the editor's thread to the audio thread, which tells the
// host of them at the start of its next block. Posting takes no lock, allocates nothing and never
// fills up: each parameter keeps how many gestures began, how many ended, and its newest value
// with a count of changes. The audio thread tells the host only what changed since it last looked:
// a begin when a gesture is under way that the host has not heard of, the newest value if one
// came, and an end once every gesture begun has ended. Gestures that begin and end between two
// blocks collapse into one, and values between two blocks into the newest, which is all a host
// records anyway. While the host processes nothing, the gestures simply wait.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "ParameterTable.h"

class GestureRelay {
public:
    static constexpr int kSlots = kNumParams;

    // The editor's side: one thread at a time. Indexes outside the slots are dropped.
    void begin(int index) { post(index, &Posted::begins); }
    void change(int index, float value) {
        if (!inRange(index)) return;
        posted[slot(index)].value.store(value, std::memory_order_relaxed);
        post(index, &Posted::changes);
    }
    void end(int index) { post(index, &Posted::ends); }

    // The audio thread's side: hands what the host has not heard yet to `host.beginEdit(index)`,
    // `host.automate(index, value)` and `host.endEdit(index)`, in that order for each parameter.
    template <typename Host>
    void deliver(Host& host) {
        const std::uint32_t pending = dirty.exchange(0u, std::memory_order_acquire);
        if (pending == 0u) return;
        for (int index = 0; index < kSlots; ++index) {
            if ((pending & bitOf(index)) != 0u) deliverOne(index, host);
        }
    }

private:
    struct Posted {
        std::atomic<std::uint32_t> begins{0u};
        std::atomic<std::uint32_t> changes{0u};
        std::atomic<std::uint32_t> ends{0u};
        std::atomic<float> value{0.0f};
    };
    // What the host has been told, kept by the audio thread alone.
    struct Told {
        std::uint32_t begins = 0u;
        std::uint32_t changes = 0u;
        bool open = false;  // a begin told and its end not yet
    };

    static bool inRange(int index) { return index >= 0 && index < kSlots; }
    static std::size_t slot(int index) { return static_cast<std::size_t>(index); }
    static constexpr std::uint32_t bitOf(int index) { return 1u << static_cast<unsigned>(index); }

    void post(int index, std::atomic<std::uint32_t> Posted::*counter) {
        if (!inRange(index)) return;
        // Release, twice: whoever sees the count sees the value stored before it, and whoever
        // sees the bit sees the count.
        (posted[slot(index)].*counter).fetch_add(1u, std::memory_order_release);
        dirty.fetch_or(bitOf(index), std::memory_order_release);
    }

    template <typename Host>
    void deliverOne(int index, Host& host) {
        Posted& from = posted[slot(index)];
        Told& told = done[slot(index)];
        // Ends are read first: every begin and value posted before the last end read is then
        // seen too, so a gesture's last value always goes out before its end.
        const std::uint32_t ends = from.ends.load(std::memory_order_acquire);
        const std::uint32_t begins = from.begins.load(std::memory_order_acquire);
        const std::uint32_t changes = from.changes.load(std::memory_order_acquire);
        if (begins != told.begins && !told.open) {
            host.beginEdit(index);
            told.open = true;
        }
        told.begins = begins;
        if (changes != told.changes) {
            host.automate(index, from.value.load(std::memory_order_relaxed));
            told.changes = changes;
        }
        if (told.open && ends == begins) {
            host.endEdit(index);
            told.open = false;
        }
    }

    std::array<Posted, kSlots> posted{};
    std::array<Told, kSlots> done{};
    std::atomic<std::uint32_t> dirty{0u};

    static_assert(kSlots <= 32, "one bit of the mask per parameter");
    static_assert(std::atomic<float>::is_always_lock_free);
    static_assert(std::atomic<std::uint32_t>::is_always_lock_free);
};
