// Counts the heap allocations made through operator new on the calling thread. The program's own
// operator new does the counting; a sanitizer build keeps the sanitizer's and counts nothing.
#pragma once

namespace allocation_counter {

// Whether allocations are counted in this build.
bool isCounting();
// Allocations made on this thread so far.
long onThisThread();

}  // namespace allocation_counter
