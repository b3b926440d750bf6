#!/usr/bin/env bash
# The Win32 known folders (the roots of the rules files' variables) under Wine: every folder
# answered as a full path, in agreement with the environment Wine gives every process, and both
# Program Files folders on a 64-bit Windows.
#
# Usage: tests/wine/known-folders.sh build/mingw64
source "$(dirname "$0")/lib.sh"
wine_build "${1:?usage: known-folders.sh BUILD_DIR}"
build=$VP_BUILD
driver="$build/tests/win32/platform/vp-known-folders-driver.exe"
[[ -f "$driver" ]] || { echo "missing $driver: build the ${build##*/} preset first" >&2; exit 1; }
wine_scratch_begin
wine "$driver" 2>/dev/null | tr -d '\r'
