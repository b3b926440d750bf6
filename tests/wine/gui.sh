#!/usr/bin/env bash
# End-to-end test of the program's window under Wine (and Xvfb when there is no display):
# the driver tests/win32/gui/GuiDriver.cpp starts the real program in a scratch prefix with an
# empty profile and drives it only with window messages. Screenshots and saved logs are kept
# in BUILD/gui-output/. Usage: tests/wine/gui.sh BUILD   (e.g. build/mingw64)
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/wine/lib.sh

build=${1:?usage: gui.sh BUILD_DIR}
wine_build "$build"
suite_prepare cmake --build "$build" --target vexoma-pellora vp-gui-driver >/dev/null
program=$(realpath "$build/src/app/win32/VexomaPellora.exe")
driver=$(realpath "$build/tests/win32/gui/vp-gui-driver.exe")
kept=$(realpath -m "$build/gui-output")
suite_output_folder "$kept"

wine_scratch_begin
wine_scratch_classic_look
out="$WINE_SCRATCH/out"
mkdir -p "$out"

status=0
with_display wine "$driver" "$(windows_path "$program")" "$(windows_path "$out")" || status=$?

cp -r "$out"/. "$kept"/
echo "Screenshots and saved logs: $kept"
exit "$status"
