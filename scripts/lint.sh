#!/usr/bin/env bash
# Runs clang-tidy (profile in .clang-tidy) over every source file of src/: the logic and the
# simulated platform with the compile commands of the sim build, the Win32 code with those of the
# mingw64 build and clang aimed at MinGW (--target=x86_64-w64-mingw32, with the cross
# compiler's own C++ headers). Only configures the two builds, compiles nothing. Exits non-zero
# on any finding. Installs clang-tidy and the builds' packages first when they are missing.
#
# Usage: scripts/lint.sh [FILE...]   (default: every .cpp under src/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh lint
cmake --preset sim >/dev/null
cmake --preset mingw64 >/dev/null

if (($#)); then
    files=("$@")
else
    mapfile -t files < <(git ls-files 'src/*.cpp')
fi
native=() windows=()
for file in "${files[@]}"; do
    case $file in
    */win32/*) windows+=("$file") ;;
    *) native+=("$file") ;;
    esac
done

# The C++ headers the cross compiler itself uses: clang's MinGW driver does not find them.
cross_headers=()
while read -r dir; do
    cross_headers+=("-extra-arg=-isystem$dir")
done < <(x86_64-w64-mingw32-g++ -E -x c++ -v /dev/null 2>&1 |
    sed -n '/#include <...> search starts/,/End of search/p' | grep '/include/c++' | sed 's/^ *//')

# run-clang-tidy colours its findings (plain lines read better in logs) and counts what it hid.
noise='^[0-9]+ warnings? (and [0-9]+ errors? )?generated|^Suppressed|^Use -header-filter'
noise+='|^clang-tidy-[0-9]+ |^Error while processing'
tidy() {
    local output status=0
    output=$(mktemp)
    run-clang-tidy -quiet -j "$(nproc)" "$@" >"$output" 2>&1 || status=$?
    sed 's/\x1b\[[0-9;]*m//g' "$output" | grep -vE "$noise" || true
    rm -f "$output"
    return "$status"
}
status=0
if ((${#native[@]})); then
    tidy -p build/sim "${native[@]}" || status=1
fi
if ((${#windows[@]})); then
    tidy -p build/mingw64 -extra-arg=--target=x86_64-w64-mingw32 "${cross_headers[@]}" \
        "${windows[@]}" || status=1
fi
exit "$status"
