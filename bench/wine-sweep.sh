#!/usr/bin/env bash
# The sweeper on the real Win32 file services under Wine, against a bare Win32 loop of the
# same calls, and for reference against rm -rf of the same tree natively. Runs in a scratch
# Wine prefix, HOME and XDG_DATA_HOME of its own, removed afterwards.
#
# Usage: bench/wine-sweep.sh [build/mingw64]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build/mingw64}" && pwd)
bench="$build/bench/win32/win32_sweep_bench.exe"
[[ -f "$bench" ]] || { echo "missing $bench: build the mingw64 preset first" >&2; exit 1; }
source "$here/../tests/wine/lib.sh"
wine_scratch_begin

wine "$bench" 'C:\bench' "${ROUNDS:-5}" 2>/dev/null | tr -d '\r' | tee "$WINE_SCRATCH/bench.out" | grep -v '^clear_d_seconds='
clear_d=$(sed -n 's/^clear_d_seconds=//p' "$WINE_SCRATCH/bench.out")

# The same tree natively, removed with rm -rf; best of three.
best=""
for _ in 1 2 3; do
    tree="$WINE_SCRATCH/native"
    for d in $(seq 0 199); do
        mkdir -p "$tree/folder$d"
        (cd "$tree/folder$d" && touch $(seq -f 'file%g.tmp' 0 99))
    done
    start=$(date +%s.%N)
    rm -rf "$tree"
    took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
    best=$(awk -v t="$took" -v b="${best:-1e9}" 'BEGIN { print (t < b ? t : b) }')
done
printf 'rm -rf natively:        %.3f s (best of 3)\n' "$best"
printf 'ratio ClearD / rm -rf:  %.1f (for reference)\n' "$(awk -v c="$clear_d" -v b="$best" 'BEGIN { print c / b }')"
