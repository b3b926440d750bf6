#!/usr/bin/env bash
# Remakes docs/window.png, the README's picture of the window: the program starts under Wine
# (Xvfb when there is no display) in a scratch prefix with the classic look and the demo
# profile, and the test driver photographs the window after load. Needs what
# `scripts/install-deps.sh run` installs, Wine's fonts above all.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/quiet-steps.sh
vp_build mingw64 vexoma-pellora vp-gui-driver

program=$(pwd)/build/mingw64/src/app/win32/VexomaPellora.exe
driver=$(pwd)/build/mingw64/tests/win32/gui/vp-gui-driver.exe

source tests/wine/lib.sh
source scripts/demo-profile.sh
wine_scratch_begin
wine_scratch_classic_look
demo_profile_seed
out="$WINE_SCRATCH/shots"
mkdir -p "$out"
with_display wine "$driver" "$(windows_path "$program")" --demo "$(windows_path "$out")" >/dev/null 2>&1
mkdir -p docs
cp "$out/window.png" docs/window.png
echo "docs/window.png"
