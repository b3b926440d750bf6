#!/usr/bin/env bash
# Sets up and runs the program. Until the native window lands this runs the simulated demo: a
# cleaning run over an in-memory profile, printed to the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset sim >/dev/null
cmake --build --preset sim -j "$(nproc)" --target vexoma-sim-demo
build/sim/tools/vexoma-sim-demo
