#pragma once

#include <cstdint>

// A fixed-seed pseudo-random sequence for the panel's grain: the same numbers on every run and
// every machine, unlike the C library's generators.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : _state(seed == 0 ? 0x9E3779B9u : seed) {}

    // Uniform in [-1, 1).
    double next() {
        _state ^= _state << 13;
        _state ^= _state >> 17;
        _state ^= _state << 5;
        return static_cast<double>(_state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t _state;
};
