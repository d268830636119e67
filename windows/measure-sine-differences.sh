#!/usr/bin/env bash
# Where the Windows build's sines differ from the Linux build's: the echo modulation's half-sine
# table, and the filters' split coefficients at every whole rate from FROM to TO (default 8000 to
# 192000). Both are built from the effect's own sources, with glibc's sin on Linux and
# mingw-w64's on Windows (run under wine). Prints counts, and the differing rates to a file.
#   bash windows/measure-sine-differences.sh [FROM TO]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
from=${1:-8000}
to=${2:-192000}
work=$(mktemp -d)
list=$PWD/${ZV_BUILD_ROOT:-build}/differing-rates.txt
mkdir -p "$(dirname "$list")"
trap 'rm -rf "$work"' EXIT

cat >"$work/probe.cpp" <<'PROBE'
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include "SineTable.h"
#include "ThreeBandFilter.h"
static unsigned long long bits(double x) { unsigned long long b; std::memcpy(&b, &x, 8); return b; }
int main(int argc, char** argv) {
    const SineTable& table = SineTable::shared();
    for (std::int32_t i = 0; i < SineTable::kSize; ++i) std::printf("table %d %016llx\n", i, bits(table[i]));
    for (long rate = std::atol(argv[1]); rate <= std::atol(argv[2]); ++rate) {
        ThreeBandFilter low, high;
        low.init(600, 1800, static_cast<std::int32_t>(rate));
        high.init(6000, 18500, static_cast<std::int32_t>(rate));
        std::printf("rate %ld %016llx %016llx %016llx %016llx\n", rate, bits(low.lowCoefficient()),
                    bits(low.highCoefficient()), bits(high.lowCoefficient()), bits(high.highCoefficient()));
    }
}
PROBE
sources=(effect/dsp/SineTable.cpp effect/dsp/ThreeBandFilter.cpp "$work/probe.cpp")
flags=(-std=c++20 -O2 -ffp-contract=off -fno-fast-math -Ieffect/dsp)
g++ "${flags[@]}" "${sources[@]}" -o "$work/linux"
x86_64-w64-mingw32-g++-posix "${flags[@]}" -static "${sources[@]}" -o "$work/windows.exe"
"$work/linux" "$from" "$to" >"$work/linux.txt"
WINEPREFIX=${WINEPREFIX:-$work/wine} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  wine "$work/windows.exe" "$from" "$to" | tr -d '\r' >"$work/windows.txt"

paste -d' ' "$work/linux.txt" "$work/windows.txt" | awk -v out="$list" '
  $1 == "table" { tables++; if ($3 != $6) tableDiffs++ }
  $1 == "rate" {
    rates++
    split("600 1800 6000 18500", split_hz, " ")
    any = 0
    for (k = 1; k <= 4; k++) if ($(2 + k) != $(8 + k)) { perSplit[split_hz[k]]++; any = 1 }
    if (any) { differing++; print $2 > out }
  }
  END {
    printf "half-sine table: %d of %d entries differ\n", tableDiffs, tables
    printf "whole rates compared: %d; with any split coefficient differing: %d\n", rates, differing
    for (k = 1; k <= 4; k++) printf "  split at %5d Hz: %d rates\n", split_hz[k], perSplit[split_hz[k]]
  }'
echo "differing rates written to $list"
