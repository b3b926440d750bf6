#!/usr/bin/env bash
# Runs clang-tidy (profile in .clang-tidy) over the logic and the simulated platform, using the
# compile commands of the sim build. Exits non-zero on any finding. Installs clang-tidy and the
# simulation build's packages first when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh lint
cmake --preset sim >/dev/null
files=$(find src -name '*.cpp' -not -path '*/win32/*')
run-clang-tidy -quiet -p build/sim $files 2>&1 | grep -vE '^[0-9]+ warnings generated|^Suppressed|^Use -header-filter|^clang-tidy-[0-9]+ ' || true
run-clang-tidy -quiet -p build/sim $files >/dev/null 2>&1
