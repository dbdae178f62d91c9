#!/usr/bin/env bash
# Builds and runs every test: the normal build (unit, scenario, asset and smoke tests),
# then the same tests under AddressSanitizer + UndefinedBehaviorSanitizer. The sanitizer
# build embeds the assets the first build generated instead of generating them again and
# runs the unit-test groups (file readers, rules, widgets, pieces, the short random-input
# soak): the scenario, asset and window tests only repeat the first pass. Last, every
# file reader is fuzzed for a short, fixed time (clang's libFuzzer with the same sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc 2>/dev/null || echo 2)

configure() {
  local dir=$1; shift
  [[ -f "$dir/build.ninja" ]] || cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
}

configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$JOBS"
ctest --test-dir build -j "$JOBS" --output-on-failure

configure build-asan -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON -DQV_ASSET_DIR="$PWD/build/res"
cmake --build build-asan -j "$JOBS" --target unit-tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan -j "$JOBS" --output-on-failure -L unit

configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQV_FUZZ=ON -DQV_ASSET_DIR="$PWD/build/res"
cmake --build build-fuzz -j "$JOBS" --target fuzz-targets
scripts/fuzz.sh build-fuzz "${QV_FUZZ_SECONDS:-20}"
