#!/usr/bin/env bash
# The window for everyone, under Wine (and Xvfb when there is no display), in one scratch
# prefix: what a screen reader and a keyboard user meet (tests/win32/gui/AccessDriver.cpp:
# roles, names, the bar's value during and after a run, events, Tab, Enter, Space), the window
# moved to a screen of 144 dpi and back (DpiDriver.cpp, in the program's own process), a
# high-contrast theme, then the whole window at 120, 144 and 192 dpi (the registry's
# LogPixels): laid out from its twips, no caption cut, the corners in place. Screenshots are
# kept in BUILD/gui-access-output/. Usage: tests/wine/gui-access.sh BUILD   (e.g. build/mingw64)
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/wine/lib.sh

build=${1:?usage: gui-access.sh BUILD_DIR}
wine_build "$build"
suite_prepare cmake --build "$build" --target vexoma-pellora vp-gui-driver vp-access-driver vp-dpi-driver >/dev/null
program=$(realpath "$build/src/app/win32/VexomaPellora.exe")
gui=$(realpath "$build/tests/win32/gui/vp-gui-driver.exe")
access=$(realpath "$build/tests/win32/gui/vp-access-driver.exe")
dpi_driver=$(realpath "$build/tests/win32/gui/vp-dpi-driver.exe")
kept=$(realpath -m "$build/gui-access-output")
suite_output_folder "$kept"

wine_scratch_begin
wine_scratch_classic_look
out="$WINE_SCRATCH/out"
mkdir -p "$out"

# Imports registry lines (REGEDIT4) and lets the prefix's server go, so that the next program
# starts with them.
registry() {
    local reg="$WINE_SCRATCH/settings.reg"
    { printf 'REGEDIT4\r\n\r\n'; printf '%s\r\n' "$@"; } >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    wineserver -w
}

failed=()
step() {
    local name=$1
    shift
    echo "== $name"
    with_display "$@" || failed+=("$name")
}

step "screen reader and keyboard" wine "$access" "$(windows_path "$program")" "$(windows_path "$out")" access
mkdir -p "$out/moved"
step "moved to 144 dpi and back" wine "$dpi_driver" "$(windows_path "$out/moved")"

# A high-contrast theme: the flag where Windows keeps the user's choice (Wine's own answer is
# always "off") and a high-contrast scheme of the system colours.
colours=(Window "0 0 0" WindowText "255 255 255" Hilight "255 255 0" HilightText "0 0 0"
    ButtonFace "0 0 0" ButtonText "255 255 255")
lines=('[HKEY_CURRENT_USER\Control Panel\Accessibility\HighContrast]' '"Flags"="127"' ''
    '[HKEY_CURRENT_USER\Control Panel\Colors]')
for ((i = 0; i < ${#colours[@]}; i += 2)); do lines+=("\"${colours[i]}\"=\"${colours[i + 1]}\""); done
registry "${lines[@]}"
step "high contrast" wine "$access" "$(windows_path "$program")" "$(windows_path "$out")" contrast
registry '[HKEY_CURRENT_USER\Control Panel\Accessibility\HighContrast]' '"Flags"="126"' '' \
    '[HKEY_CURRENT_USER\Control Panel\Colors]' '"Window"="255 255 255"' '"WindowText"="0 0 0"' \
    '"Hilight"="10 36 106"' '"HilightText"="255 255 255"' '"ButtonFace"="212 208 200"' \
    '"ButtonText"="0 0 0"'

for dpi in 120 144 192; do
    hex=$(printf '%08x' "$dpi")
    registry '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$hex" '' \
        '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]' \
        "\"LogPixels\"=dword:$hex"
    mkdir -p "$out/$dpi-dpi"
    step "at $dpi dpi" wine "$gui" "$(windows_path "$program")" --scaled "$(windows_path "$out/$dpi-dpi")"
done

cp -r "$out"/. "$kept"/
echo "Screenshots: $kept"
if ((${#failed[@]})); then
    echo "failed: ${failed[*]}"
    exit 1
fi
echo "all checks passed"
