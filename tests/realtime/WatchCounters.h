// The counters behind AudioThreadWatch.h, shared by the interposed functions. Plain thread-local
// integers: reading or writing them takes no memory and no lock, so the allocator itself may
// count.
#pragma once

namespace watch_counters {
void countAllocation();
void countRelease();
void countLock();
}  // namespace watch_counters
