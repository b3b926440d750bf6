#!/usr/bin/env bash
# Two release builds from the same commit must give byte-identical executables, zips,
# installers, SHA256SUMS and BUILDINFO.txt. The first release is packed from the test builds
# themselves (build/mingw64 and build/mingw32, the presets' folders, built in Release: made
# when missing), the second is built from nothing in a scratch folder under BUILD (default:
# build/mingw64), at another time and without a compiler cache, so every object, resource, link
# and package is made anew. Packing the test builds also ships what the suites under Wine ran.
# It prints BUILDINFO.txt, what another machine needs to make the same bytes, and how long one
# release took. The scratch folder is removed afterwards.
#
# Usage: tests/release/reproducible.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
parent=${1:-build/mingw64}
mkdir -p "$parent"
presets=$(pwd)/build
scratch=$(mktemp -d "$(realpath "$parent")/reproducible.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

started=$SECONDS
echo "First release: packed from the test builds in $presets"
scripts/release.sh --build-root "$presets" --out "$scratch/one/release" >"$scratch/one.log" 2>&1 ||
    { cat "$scratch/one.log"; exit 1; }
echo "  $((SECONDS - started)) s"
started=$SECONDS
echo "Second release: built from nothing"
CCACHE_DISABLE=1 scripts/release.sh --build-root "$scratch/two" >"$scratch/two.log" 2>&1 ||
    { cat "$scratch/two.log"; exit 1; }
echo "  one release from nothing took $((SECONDS - started)) s"
echo "The release:"
sed -n 's/^    \([0-9]\)/    \1/p' "$scratch/one.log"
echo "BUILDINFO.txt:"
sed 's/^/  | /' "$scratch/one/release/BUILDINFO.txt"

failures=0
same() { # FIRST_ROOT NAME: NAME relative to FIRST_ROOT and to the second build's root
    if [[ ! -f "$1/$2" ]]; then
        printf '  FAIL  %s is missing\n' "$2"
        failures=$((failures + 1))
    elif cmp "$1/$2" "$scratch/two/$2"; then
        printf '  ok    %s is the same in both builds\n' "$2"
    else
        failures=$((failures + 1))
        printf '  FAIL  %s differs\n' "$2"
    fi
}
for preset in mingw64 mingw32; do
    same "$presets" "$preset/src/app/win32/VexomaPellora.exe"
    same "$presets" "$preset/src/app/win32/vexoma.exe"
done
while read -r file; do
    same "$scratch/one" "release/$file"
done < <(cd "$scratch/one/release" && ls)
[[ $(cd "$scratch/one/release" && ls | wc -l) -eq 6 ]] ||
    { echo "  FAIL  the release holds $(ls "$scratch/one/release" | tr '\n' ' ')"; failures=$((failures + 1)); }
if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
