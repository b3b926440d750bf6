#!/usr/bin/env bash
# Mutation testing: plants, one at a time, the one-line faults listed in tests/mutants.list
# into a copy of the sources, rebuilds the unit tests there, runs them, and reports every
# fault that no test caught. The working tree is never changed.
#
# Usage: scripts/mutants.sh [-k|--keep] [PATTERN]
#   PATTERN   only the faults whose description or file it matches (a Python regular
#             expression: 'ClearD|Registry' takes the faults of two files)
#   --keep    keeps the scratch copy (build/mutants) for the next run, which then rebuilds
#             less
# Exits 1 when a fault survives, 2 when a fault no longer applies (its text is not found
# exactly once: the list needs updating), 0 otherwise. Needs what `scripts/install-deps.sh
# lint` installs, and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
keep=false
if [[ ${1:-} == -k || ${1:-} == --keep ]]; then
    keep=true
    shift
fi
filter=${1:-}
list=tests/mutants.list
copy=build/mutants
mkdir -p "$copy"
if ! $keep; then
    trap 'rm -rf "$copy"' EXIT
fi

echo "Copying the sources into $copy..."
# tar keeps the files' times, so a kept copy rebuilds only what changed since.
rm -rf "$copy/src"
mkdir -p "$copy/src"
tar -C . --exclude=./build --exclude=./.git -cf - . | tar -C "$copy/src" -xf -
cmake -S "$copy/src" -B "$copy/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
build() { cmake --build "$copy/build" --target vp_tests >"$copy/build.log" 2>&1; }
# Stops at the first failing test: one is enough to kill a fault. With a filter, only the tests
# it names (gtest's --gtest_filter).
tests() {
    timeout 600 "$copy/build/tests/vp_tests" --gtest_fail_fast --gtest_brief=1 \
        ${1:+"--gtest_filter=$1"} >"$copy/tests.log" 2>&1
}
echo "Building the unit tests, and checking that they pass unchanged..."
build || { cat "$copy/build.log"; exit 1; }
tests || { echo "error: the unit tests fail without any fault planted" >&2; exit 1; }

python3 - "$list" "$filter" >"$copy/faults" <<'PY'
import re, sys
# Each fault: "@ FILE: what the fault is", then "- TEXT" (found exactly once in FILE) and
# "+ REPLACEMENT". Lines starting with '#' and blank lines are comments.
path, wanted = sys.argv[1], sys.argv[2]
faults, current = [], None
for number, line in enumerate(open(path, encoding="utf-8"), 1):
    line = line.rstrip("\n")
    if not line.strip() or line.startswith("#"):
        continue
    if line.startswith("@ "):
        file, _, what = line[2:].partition(": ")
        current = {"file": file, "what": what, "line": number}
        faults.append(current)
    elif line.startswith("- ") and current is not None:
        current["old"] = line[2:]
    elif line.startswith("+ ") and current is not None:
        current["new"] = line[2:]
    else:
        sys.exit(f"{path}:{number}: not a fault line: {line}")
for fault in faults:
    if "old" not in fault or "new" not in fault:
        sys.exit(f"{path}:{fault['line']}: a fault needs a '-' and a '+' line")
    if wanted and not re.search(wanted, fault["what"]) and not re.search(wanted, fault["file"]):
        continue
    print("\t".join([fault["file"], fault["old"], fault["new"], fault["what"]]))
PY

total=0 caught=0 survived=() stale=()
while IFS=$'\t' read -r file old new what; do
    total=$((total + 1))
    target="$copy/src/$file"
    cp "$target" "$copy/original"
    if ! python3 - "$target" "$old" "$new" <<'PY'; then
import sys
path, old, new = sys.argv[1:]
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
        stale+=("$file: $what")
        printf '  STALE     %s: %s\n' "$file" "$what"
        continue
    fi
    if ! build; then
        verdict="caught by the compiler"
        caught=$((caught + 1))
    # The tests named after the faulty file usually catch it: they run first, the rest only
    # when they pass.
    elif ! tests "*$(basename "${file%.*}")*" || ! tests; then
        verdict="caught: $(grep -m1 -o '\[  FAILED  \] [^ ]*' "$copy/tests.log" | cut -c14- || true)"
        caught=$((caught + 1))
    else
        verdict="SURVIVED"
        survived+=("$file: $what")
    fi
    cp "$copy/original" "$target"
    touch "$target"
    printf '  %-9s %s: %s\n' "${verdict%%:*}" "$file" "$what"
    [[ $verdict == caught:* ]] && printf '            %s\n' "${verdict#caught: }"
done <"$copy/faults"
build >/dev/null 2>&1 || true

echo "$total faults planted, $caught caught, ${#survived[@]} survived, ${#stale[@]} no longer apply."
((${#stale[@]} == 0)) || exit 2
((${#survived[@]} == 0)) || exit 1
