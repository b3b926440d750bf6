#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, in a scratch prefix (own WINEPREFIX,
# HOME and XDG_DATA_HOME, removed at the end) seeded with a small demo profile.
#
# With a display, the window opens on it and is yours: press "Nettoyer", then close it with
# its "×" button. Without a display, it runs under Xvfb and a cleaning run is made for you:
# the run log is printed and screenshots are kept in build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --with-wine
cmake --preset mingw64 >/dev/null
cmake --build --preset mingw64 -j 2 --target vexoma-pellora vp-gui-driver

program=$(pwd)/build/mingw64/src/app/win32/VexomaPellora.exe
driver=$(pwd)/build/mingw64/tests/win32/gui/vp-gui-driver.exe
kept=$(pwd)/build/demo
windows_path() { local p=$1; echo "Z:${p//\//\\}"; }

source tests/wine/lib.sh
source scripts/demo-profile.sh
echo "Making a scratch Wine prefix with a demo profile (about 20 s)..."
wine_scratch_begin
demo_profile_seed
echo "Seeded in the temporary folder $(demo_profile_temp):"
(cd "$(demo_profile_temp)" && find . -mindepth 1 | sort | sed 's/^/    /')

if [[ -n "${DISPLAY:-}" ]]; then
    echo "Starting Vexoma Pellora: press Nettoyer, then close the window with its × button."
    wine "$program"
else
    echo "No display: running under Xvfb, with a cleaning run made for you."
    out="$WINE_SCRATCH/demo"
    mkdir -p "$out"
    with_display wine "$driver" "$(windows_path "$program")" --demo "$(windows_path "$out")"
    rm -rf "$kept" && mkdir -p "$kept" && cp "$out"/*.png "$kept"/
    echo "Screenshots: $kept/window.png, $kept/window-after-run.png"
fi
demo_profile_report
