// Counts, on the calling thread only and only while armed, what real-time code must never do:
// take memory from the heap (operator new or the malloc family), give it back, or take a lock.
// The counters sit in this test program's own definitions of those functions, which stand in
// for the C and C++ libraries' everywhere in the process, the loaded plug-in included.
#pragma once

struct WatchedCalls {
    long allocations = 0;  // operator new, malloc, calloc, realloc, aligned and memalign forms
    long releases = 0;     // operator delete, free
    long locks = 0;        // pthread mutex and read-write lock acquisitions, held or tried

    bool none() const { return allocations == 0 && releases == 0 && locks == 0; }
};

namespace audio_thread_watch {
void arm();
WatchedCalls disarm();
}  // namespace audio_thread_watch

// Arms for its lifetime; read the counts with stop().
class WatchedSection {
public:
    WatchedSection() { audio_thread_watch::arm(); }
    ~WatchedSection() {
        if (!stopped) audio_thread_watch::disarm();
    }
    WatchedSection(const WatchedSection&) = delete;
    WatchedSection& operator=(const WatchedSection&) = delete;

    WatchedCalls stop() {
        stopped = true;
        return audio_thread_watch::disarm();
    }

private:
    bool stopped = false;
};
