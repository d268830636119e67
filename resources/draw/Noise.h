#pragma once

#include <cstdint>

// A fixed-seed pseudo-random sequence (xorshift32): the same numbers on every run and every
// machine, unlike the C library's generators. The panel's grain and zvhost's demo phrase both
// draw from it.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : _state(seed == 0 ? 0x9E3779B9u : seed) {}

    // Uniform in [-1, 1), in double precision.
    double next() { return static_cast<double>(nextBits()) / 2147483648.0 - 1.0; }

    // Uniform in [-1, 1), reckoned in single precision throughout: the bits are rounded to single
    // precision first, so this is not always next() narrowed.
    float nextSingle() { return static_cast<float>(nextBits()) / 2147483648.0f - 1.0f; }

private:
    std::uint32_t nextBits() {
        _state ^= _state << 13;
        _state ^= _state >> 17;
        _state ^= _state << 5;
        return _state;
    }

    std::uint32_t _state;
};
