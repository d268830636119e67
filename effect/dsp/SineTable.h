// One half period of a sine, read by the echo modulation instead of computing a sine per frame.
// Every instance reads the same table, so it is built once per process and shared read-only.
#pragma once

#include <cstdint>

class SineTable {
public:
    static constexpr std::int32_t kSize = 179692;

    // The process-wide table, built on first use (safe when instances are made on several
    // threads at once).
    static const SineTable& shared();

    double operator[](std::int32_t index) const { return values[index]; }

private:
    SineTable();
    double values[kSize];
};
