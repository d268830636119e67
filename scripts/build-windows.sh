#!/usr/bin/env bash
# Builds the Windows plug-in, ZvDelay32.dll, on Debian with mingw-w64 (installed when missing):
#   bash scripts/build-windows.sh
# The DLL to ship, without its debugging information, lands in $ZV_BUILD_ROOT/windows/dist
# (default build/windows/dist); copy it into the host's VST 2 folder on Windows.
# ZV_WINDOWS_TESTS=ON also builds the tests that run under wine (then
# `ctest --test-dir build/windows` runs them; wine64 and wine must be installed).
# Environment: ZV_BUILD_ROOT (default build), ZV_JOBS (default 2).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib.sh

root=${ZV_BUILD_ROOT:-build}
jobs=${ZV_JOBS:-2}
started=$(date +%s)

zv_install_packages "${ZV_WINDOWS_BUILD_PACKAGES[@]}"

cmake -S . -B "$root/windows" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DZV_TESTS="${ZV_WINDOWS_TESTS:-OFF}" >/dev/null
cmake --build "$root/windows" -j "$jobs"
cmake --install "$root/windows" --prefix "$root/windows/dist" --strip >/dev/null
echo "== $root/windows/dist/ZvDelay32.dll built in $(zv_seconds_since "$started") s"
