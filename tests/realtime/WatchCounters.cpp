#include "WatchCounters.h"

#include "AudioThreadWatch.h"

namespace {
// Initial-exec thread-locals of the program itself: no allocation on first touch.
thread_local bool armed = false;
thread_local long allocations = 0;
thread_local long releases = 0;
thread_local long locks = 0;
}  // namespace

namespace watch_counters {
void countAllocation() {
    if (armed) ++allocations;
}
void countRelease() {
    if (armed) ++releases;
}
void countLock() {
    if (armed) ++locks;
}
}  // namespace watch_counters

namespace audio_thread_watch {
void arm() {
    allocations = 0;
    releases = 0;
    locks = 0;
    armed = true;
}

WatchedCalls disarm() {
    armed = false;
    WatchedCalls calls;
    calls.allocations = allocations;
    calls.releases = releases;
    calls.locks = locks;
    return calls;
}
}  // namespace audio_thread_watch
