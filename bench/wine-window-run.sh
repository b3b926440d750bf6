#!/usr/bin/env bash
# A whole cleaning run through the real window under Wine, as the user waits for it, against
# a minimal Win32 loop on an identical tree (bench/win32/window_run_bench.cpp), then the cost
# of one run-log line in the window's list box (bench/win32/listbox_line_bench.cpp); first
# with Wine's default (themed) look, then with the classic look. Runs in a scratch Wine prefix,
# HOME and XDG_DATA_HOME of its own, removed afterwards, under Xvfb when there is no display.
#
# Usage: bench/wine-window-run.sh [BUILD] [FILES] [ROUNDS]
#        (defaults: build/mingw64, 20000 files in 200 folders, 3 rounds)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
build=$(cd "${1:-build/mingw64}" && pwd)
files=${2:-20000}
rounds=${3:-3}
program="$build/src/app/win32/VexomaPellora.exe"
run_bench="$build/bench/win32/window_run_bench.exe"
line_bench="$build/bench/win32/listbox_line_bench.exe"
for f in "$program" "$run_bench" "$line_bench"; do
    [[ -f "$f" ]] || { echo "missing $f: build the mingw64 preset first" >&2; exit 1; }
done
source "$here/../tests/wine/lib.sh"
wine_scratch_begin

measure() {
    echo "== $1"
    wine "$run_bench" "$(windows_path "$program")" 'C:\vp-window-bench' "$files" "$rounds" \
        2>/dev/null | tr -d '\r'
    echo "-- one run-log line"
    wine "$line_bench" 5000 3 2>/dev/null | tr -d '\r'
    wineserver -w
}

measure "Wine's default look"
wine_scratch_classic_look
measure "classic look"
