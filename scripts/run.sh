#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, in a scratch prefix (own WINEPREFIX,
# HOME and XDG_DATA_HOME, under TMPDIR, removed at the end) seeded with a small demo profile.
#
# With a display, the window opens on it and is yours: press "Nettoyer", then close it with
# its "×" button. Without a display, it runs under Xvfb and a cleaning run is made for you:
# the run log is printed and screenshots are kept in build/demo/. Either way it ends with what
# the profile held before and after.
#
# Usage: scripts/run.sh [-v|--verbose]   (or VP_VERBOSE=1: the build's whole output)
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-} in
-v | --verbose) export VP_VERBOSE=1 ;;
"") ;;
*) echo "usage: scripts/run.sh [-v|--verbose]" >&2; exit 2 ;;
esac
source scripts/quiet-steps.sh

scripts/install-deps.sh run
echo "Building the Windows program (build/mingw64)..."
vp_build mingw64 vexoma-pellora vp-gui-driver

program=$(pwd)/build/mingw64/src/app/win32/VexomaPellora.exe
driver=$(pwd)/build/mingw64/tests/win32/gui/vp-gui-driver.exe
kept=$(pwd)/build/demo

source tests/wine/lib.sh
source scripts/demo-profile.sh
echo "Making a scratch Wine prefix with a demo profile (about 20 s)..."
wine_scratch_begin
wine_scratch_classic_look
demo_profile_seed
demo_profile_state >"$WINE_SCRATCH/before"

if [[ -n "${DISPLAY:-}" ]]; then
    echo "Starting Vexoma Pellora: press Nettoyer, then close the window with its × button."
    wine "$program" 2>/dev/null || true
    wineserver -w
else
    echo "No display: running under Xvfb, with a cleaning run made for you."
    out="$WINE_SCRATCH/demo"
    mkdir -p "$out"
    with_display wine "$driver" "$(windows_path "$program")" --demo "$(windows_path "$out")" 2>/dev/null
    rm -rf "$kept" && mkdir -p "$kept" && cp "$out"/*.png "$kept"/
    echo "Screenshots: build/demo/window.png, build/demo/window-after-run.png"
fi
demo_profile_state >"$WINE_SCRATCH/after"
demo_profile_compare "$WINE_SCRATCH/before" "$WINE_SCRATCH/after"
