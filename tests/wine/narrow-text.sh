#!/usr/bin/env bash
# The Win32 narrow text (the ANSI code page of the run log file, the registry and the cache
# names) under Wine against the simulated platform's: same bytes, '?' for what the code page
# cannot hold, never a best-fit look-alike.
#
# Usage: tests/wine/narrow-text.sh build/mingw64
source "$(dirname "$0")/lib.sh"
wine_build "${1:?usage: narrow-text.sh BUILD_DIR}"
build=$VP_BUILD
driver="$build/tests/win32/platform/vp-narrow-text-driver.exe"
[[ -f "$driver" ]] || { echo "missing $driver: build the ${build##*/} preset first" >&2; exit 1; }
wine_scratch_begin
wine "$driver" 2>/dev/null | tr -d '\r'
