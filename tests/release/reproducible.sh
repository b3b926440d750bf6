#!/usr/bin/env bash
# Two release builds from the same commit must give byte-identical executables, zips,
# installers, SHA256SUMS and BUILDINFO.txt. The two builds go to two scratch folders under
# BUILD (default: build), at different times, each from nothing (no compiler cache is used), so
# every object, resource, link and package is made anew. It prints BUILDINFO.txt, what another
# machine needs to make the same bytes, and how long one release took. The scratch folders are
# removed afterwards.
#
# Usage: tests/release/reproducible.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
parent=${1:-build}
mkdir -p "$parent"
scratch=$(mktemp -d "$(realpath "$parent")/reproducible.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

started=$SECONDS
echo "First build"
scripts/release.sh --build-root "$scratch/one" >"$scratch/one.log" 2>&1 ||
    { cat "$scratch/one.log"; exit 1; }
echo "  one release from nothing took $((SECONDS - started)) s"
echo "Second build"
CCACHE_DISABLE=1 scripts/release.sh --build-root "$scratch/two" >"$scratch/two.log" 2>&1 ||
    { cat "$scratch/two.log"; exit 1; }
echo "The release:"
sed -n 's/^    \([0-9]\)/    \1/p' "$scratch/one.log"
echo "BUILDINFO.txt:"
sed 's/^/  | /' "$scratch/one/release/BUILDINFO.txt"

failures=0
same() { # NAME relative path in each build root
    if [[ ! -f "$scratch/one/$1" ]]; then
        printf '  FAIL  %s is missing\n' "$1"
        failures=$((failures + 1))
    elif cmp "$scratch/one/$1" "$scratch/two/$1"; then
        printf '  ok    %s is the same in both builds\n' "$1"
    else
        failures=$((failures + 1))
        printf '  FAIL  %s differs\n' "$1"
    fi
}
for preset in mingw64 mingw32; do
    same "$preset/src/app/win32/VexomaPellora.exe"
    same "$preset/src/app/win32/vexoma.exe"
done
while read -r file; do
    same "release/$file"
done < <(cd "$scratch/one/release" && ls)
[[ $(cd "$scratch/one/release" && ls | wc -l) -eq 6 ]] ||
    { echo "  FAIL  the release holds $(ls "$scratch/one/release" | tr '\n' ' ')"; failures=$((failures + 1)); }
if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
