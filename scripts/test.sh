#!/usr/bin/env bash
# Installs what the tests need and checks the style; then builds and runs the whole test suite
# twice: with GCC and warnings as errors, and with Clang under AddressSanitizer and
# UndefinedBehaviorSanitizer; then the threaded tests under ThreadSanitizer, a bounded libFuzzer
# run, a benchmark smoke run, and the Windows DLL cross-built with its tests run under wine.
#   bash scripts/test.sh
# Environment: ZV_BUILD_ROOT (default build), ZV_JOBS (default 2).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/lib.sh

root=${ZV_BUILD_ROOT:-build}
jobs=${ZV_JOBS:-2}
started=$(date +%s)

zv_install_packages "${ZV_BUILD_PACKAGES[@]}" "${ZV_TEST_PACKAGES[@]}" \
                    "${ZV_WINDOWS_BUILD_PACKAGES[@]}" "${ZV_WINDOWS_TEST_PACKAGES[@]}"

# Tests that open windows need an X server; give them a virtual one unless there is a display.
run_tests() {
  local dir=$1
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1600x1000x24" ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  else
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  fi
}

echo "== Style: every C++ file as .clang-format has it"
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

step=$(date +%s)
echo "== GCC build, warnings as errors ($root/gcc)"
cmake -S . -B "$root/gcc" -DCMAKE_CXX_COMPILER=g++ -DZV_WERROR=ON -DZV_SANITIZE= >/dev/null
cmake --build "$root/gcc" -j "$jobs"
run_tests "$root/gcc"
echo "== GCC build and tests: $(zv_seconds_since "$step") s"

step=$(date +%s)
echo "== Clang build with AddressSanitizer and UndefinedBehaviorSanitizer ($root/sanitize)"
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cmake -S . -B "$root/sanitize" -DCMAKE_CXX_COMPILER=clang++ -DZV_WERROR=ON \
      -DZV_SANITIZE=address,undefined >/dev/null
cmake --build "$root/sanitize" -j "$jobs"
run_tests "$root/sanitize"
echo "== Sanitizer build and tests: $(zv_seconds_since "$step") s"

step=$(date +%s)
echo "== Clang build with ThreadSanitizer: the tests that drive the effect from many threads ($root/tsan)"
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
cmake -S . -B "$root/tsan" -DCMAKE_CXX_COMPILER=clang++ -DZV_WERROR=ON \
      -DZV_SANITIZE=thread >/dev/null
cmake --build "$root/tsan" -j "$jobs" --target zv_threads_tests zv_editor_tests
ctest --test-dir "$root/tsan" -L threads --output-on-failure
echo "== ThreadSanitizer build and tests: $(zv_seconds_since "$step") s"

step=$(date +%s)
echo "== libFuzzer on the host interface, ${ZV_FUZZ_SECONDS:-60} s from the committed corpus ($root/fuzz)"
cmake -S . -B "$root/fuzz" -DCMAKE_CXX_COMPILER=clang++ -DZV_SANITIZE=address,undefined \
      -DZV_FUZZ=ON -DZV_FUZZ_SECONDS="${ZV_FUZZ_SECONDS:-60}" >/dev/null
cmake --build "$root/fuzz" -j "$jobs" --target zv_fuzz_effect
ctest --test-dir "$root/fuzz" -R FuzzingTheHostInterfaceFindsNoFault --output-on-failure
grep -E 'number_of_executed_units|average_exec_per_sec' "$root/fuzz/tests/fuzz/fuzz-run/fuzzer.log" || true
echo "== Fuzzing: $(zv_seconds_since "$step") s"

echo "== Benchmark smoke run (every benchmark once, briefly; it reports, it does not judge times)"
"$root/gcc/bench/zv_bench" --benchmark_min_time=0.001 >/dev/null

step=$(date +%s)
echo "== Windows: the DLL cross-built with mingw-w64, its tests under wine, its renders against the GCC build's ($root/windows)"
cmake -S . -B "$root/windows" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DZV_WERROR=ON \
      -DZV_LINUX_BUILD_DIR="$(cd "$root/gcc" && pwd)" >/dev/null
cmake --build "$root/windows" -j "$jobs"
ctest --test-dir "$root/windows" --output-on-failure -j "$jobs"
echo "== Windows build and tests: $(zv_seconds_since "$step") s"

echo "== All tests passed in $(zv_seconds_since "$started") s"
