#!/usr/bin/env bash
# Sets up and runs every test: the simulated platform's unit tests (plain and with
# AddressSanitizer/UBSan), both Windows cross builds, and the end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --with-wine

jobs=$(nproc)
step() { printf '\n=== %s ===\n' "$*"; }

step "Simulated platform: build and unit tests"
cmake --preset sim >/dev/null
cmake --build --preset sim -j "$jobs"
ctest --preset sim -j "$jobs"

step "Simulated platform with AddressSanitizer and UBSan"
cmake --preset sim-asan >/dev/null
cmake --build --preset sim-asan -j "$jobs"
ctest --preset sim-asan -j "$jobs"

for preset in mingw32 mingw64; do
    step "Windows cross build: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

for suite in tests/wine/*.sh; do
    [[ -e "$suite" && "$suite" != */lib.sh ]] || continue
    step "Under Wine: $suite"
    bash "$suite" build/mingw64
done

step "All tests passed"
