#!/usr/bin/env bash
# Detection of a large rules file under Wine: `vexoma.exe --liste --regles FILE` on a file of
# ENTRIES invented entries (default 4,000; generated here, three detection keys each, many
# entries naming the same places, as real rules files do) against the same command on a rules
# file of no entry, taking turns, in one scratch prefix whose server stays up between runs.
# The difference is what reading, detecting and listing the entries cost; the reading alone is
# measured by build/sim/bench/rules_parse_bench (about 30 ms for such a file). Nothing here is
# a test.
#
# Usage: bench/wine-rules-detect.sh [build/mingw64] [ENTRIES] [ROUNDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build/mingw64}" && pwd)
entries=${2:-4000}
rounds=${3:-5}
VEXOMA=$build/src/app/win32/vexoma.exe
[[ -f "$VEXOMA" ]] || { echo "missing $VEXOMA: build the mingw64 preset first" >&2; exit 1; }
source "$here/../tests/wine/lib.sh"
wine_scratch_begin
# The server stays up (until the scratch goes): no run pays for starting it.
command wineserver -p || true

C="$WINEPREFIX/drive_c"
user=$(ls "$C/users" | grep -vx Public | head -n1)
# Invented vendors and applications; a tenth of the places exist on the seeded profile.
python3 - "$entries" "$WINE_SCRATCH/rules.ini" "$C/users/$user/AppData" "$WINE_SCRATCH/seed.reg" <<'PY'
import os, sys
count, out, appdata, reg = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
lines, keys = ["; generated for the detection benchmark"], set()
for i in range(count):
    vendor, app = "Vendor%03d" % (i % 300), "App%04d" % (i % 1500)
    lines += ["[%s %s %04d *]" % (vendor, app, i), "LangSecRef=%d" % (3021 + i % 4),
              "Detect=HKCU\\Software\\%s\\%s" % (vendor, app),
              "DetectFile1=%%LocalAppData%%\\%s\\%s" % (vendor, app),
              "DetectFile2=%%AppData%%\\%s\\*\\settings.ini" % vendor,
              "FileKey1=%%LocalAppData%%\\%s\\%s\\Cache|*.tmp|RECURSE" % (vendor, app),
              "FileKey2=%%AppData%%\\%s\\%s|*.log" % (vendor, app),
              "RegKey1=HKCU\\Software\\%s\\%s\\Recent" % (vendor, app), ""]
    if i % 10 == 0:
        os.makedirs(os.path.join(appdata, "Local", vendor, app), exist_ok=True)
    if i % 20 == 5:
        keys.add("HKEY_CURRENT_USER\\Software\\%s\\%s" % (vendor, app))
    if i % 30 == 7:
        os.makedirs(os.path.join(appdata, "Roaming", vendor, app), exist_ok=True)
        open(os.path.join(appdata, "Roaming", vendor, app, "settings.ini"), "w").close()
open(out, "w", newline="\r\n").write("\n".join(lines))
with open(reg, "w", newline="\r\n") as f:
    f.write("REGEDIT4\n\n" + "".join("[%s]\n\n" % k for k in sorted(keys)))
PY
printf '; no entry\r\n' >"$WINE_SCRATCH/empty.ini"
wine regedit /S "$(windows_path "$WINE_SCRATCH/seed.reg")" >/dev/null 2>&1
RULES=$(windows_path "$WINE_SCRATCH/rules.ini")
EMPTY=$(windows_path "$WINE_SCRATCH/empty.ini")
printf 'rules file: %s entries, %s bytes\n' "$entries" "$(stat -c %s "$WINE_SCRATCH/rules.ini")"

timed() { # timed FILE: seconds of one --liste run on that rules file
    local start
    start=$(date +%s.%N)
    wine "$VEXOMA" --liste --regles "$1" >"$WINE_SCRATCH/list.out" 2>&1
    awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }'
}
timed "$EMPTY" >/dev/null # a first run fills the caches
full=() base=()
for round in $(seq "$rounds"); do
    if ((round % 2)); then
        full+=("$(timed "$RULES")")
        base+=("$(timed "$EMPTY")")
    else
        base+=("$(timed "$EMPTY")")
        full+=("$(timed "$RULES")")
    fi
    printf 'round %d: %s entries %s s, no entry %s s\n' "$round" "$entries" "${full[-1]}" "${base[-1]}"
done
timed "$RULES" >/dev/null
iconv -f CP437 -t UTF-8 "$WINE_SCRATCH/list.out" | tr -d '\r' | grep 'entrée(s) détectée(s)' || true
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
mf=$(median "${full[@]}")
mb=$(median "${base[@]}")
diffs=()
for i in "${!full[@]}"; do diffs+=("$(awk -v f="${full[$i]}" -v b="${base[$i]}" 'BEGIN { print f - b }')"); done
printf 'medians: %s entries %s s, no entry %s s; reading, detecting and listing the entries: %.3f s\n' \
    "$entries" "$mf" "$mb" "$(median "${diffs[@]}")"
printf '(the median of each round'"'"'s difference; load average %s)\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
