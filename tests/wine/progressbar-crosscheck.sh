#!/usr/bin/env bash
# The progress bar drawn with real GDI under Wine against the simulated raster, pixel by pixel:
# every style at 0, 50 and 100 %, without and with its text. Text pixels (the fonts differ) and
# the edge pixels of the etched, bump and sunken edges are counted apart and named; any other
# difference fails.
# Usage: tests/wine/progressbar-crosscheck.sh BUILD_DIR (the mingw64 build; the native tool is
# taken from build/sim, built here if missing).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/mingw64}
source tests/wine/lib.sh
wine_build "$build"

suite_prepare cmake --build "$build" --target vp-bar-render-driver >/dev/null
suite_prepare cmake --preset sim >/dev/null
suite_prepare cmake --build --preset sim --target vexoma-bar-gallery >/dev/null
driver=$(realpath "$build/tests/win32/progressbar/vp-bar-render-driver.exe")
gallery=$(realpath build/sim/tools/vexoma-bar-gallery)

wine_scratch_begin
wine_scratch_classic_look
# The classic 3-D colours the edges are drawn in (the simulated platform's scheme).
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\r\n"ButtonFace"="212 208 200"\r\n"ButtonShadow"="128 128 128"\r\n"ButtonHilight"="255 255 255"\r\n"ButtonLight"="212 208 200"\r\n"ButtonDkShadow"="64 64 64"\r\n"Hilight"="10 36 106"\r\n' >"$WINE_SCRATCH/colors.reg"
wine regedit /S "$WINE_SCRATCH/colors.reg" >/dev/null 2>&1
wineserver -w
out="$WINE_SCRATCH/drawings"
mkdir -p "$out"
with_display wine "$driver" "$(windows_path "$out")"
"$gallery" compare "$out"
