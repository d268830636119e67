#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {
thread_local long allocations = 0;
}

namespace allocation_counter {

#ifdef ZV_SANITIZED
bool isCounting() { return false; }
#else
bool isCounting() { return true; }
#endif

long onThisThread() { return allocations; }

}  // namespace allocation_counter

#ifndef ZV_SANITIZED
void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t /*size*/) noexcept { std::free(memory); }
#endif
