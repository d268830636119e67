// For the lifetime of one object, subnormal numbers are flushed to zero (results and inputs):
// long decaying tails would otherwise crawl through the slow subnormal range. The caller's
// floating-point control word is restored on destruction: the mode belongs to the host.
#pragma once

#include <xmmintrin.h>

class DenormalsFlushed {
public:
    DenormalsFlushed() : saved(_mm_getcsr()) {
        _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero);
    }
    ~DenormalsFlushed() { _mm_setcsr(saved); }
    DenormalsFlushed(const DenormalsFlushed&) = delete;
    DenormalsFlushed& operator=(const DenormalsFlushed&) = delete;

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved;
};
