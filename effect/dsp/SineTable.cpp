#include "SineTable.h"

#include <cmath>

// The angle grows in single-precision steps of a thousandth of a degree; the rounding makes it
// run ahead, so the last entry sits just below 180 degrees rather than at 179.691. The degree
// factor is 3.14159265358 / 180, not the exact one: the table's values depend on both.
SineTable::SineTable() {
    constexpr double kRadiansPerDegree = 0.017453292519888888;
    float angle = 0.0f;
    for (std::int32_t i = 0; i < kSize; ++i) {
        values[i] = std::sin(static_cast<double>(angle) * kRadiansPerDegree);
        angle = static_cast<float>(static_cast<double>(angle) + 0.001);
    }
}

const SineTable& SineTable::shared() {
    // Built by the first instance, not when the library is loaded; the zeroed storage costs
    // nothing until then.
    static const SineTable table;
    return table;
}
