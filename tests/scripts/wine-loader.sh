#!/usr/bin/env bash
# How the scripts choose Wine's loader (scripts/wine-loader.sh), on machines this one is not:
# fake loaders play a kernel without 32-bit support (the loader fails as an unrunnable one
# does, "Exec format error", status 126), one with it, and a 64-bit loader that does not start.
# Needs no Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
box=$(mktemp -d "${TMPDIR:-/tmp}/vp-loader-test.XXXXXX")
trap 'rm -rf "$box"' EXIT
failures=0
check() { # check NAME COMMAND...: passes when COMMAND succeeds
    local name=$1
    shift
    if "$@"; then printf '  ok    %s\n' "$name"; else
        printf '  FAIL  %s\n' "$name"
        failures=$((failures + 1))
    fi
}
contains() { [[ $1 == *"$2"* ]]; }

# Fake loaders: they say what a real one says and report how they were started.
fake() {
    printf '#!/bin/sh\n%s\n' "$2" >"$box/$1"
    chmod +x "$box/$1"
}
fake unrunnable 'echo "cannot execute binary file: Exec format error" >&2; exit 126'
fake runnable 'echo "wine-8.0 (fake)"'
fake loader64 'echo "started by $0 with WINELOADER=$WINELOADER: $*"'
fake broken64 'echo "wine: could not load ntdll.so: no such file" >&2; exit 1'

# Runs a snippet in a clean shell that has sourced the loader's script, VP_* set as given.
in_shell() {
    env -u VP_RUNS_32BIT -u VP_RUNS_32BIT_WHY "$@" bash -c \
        "source '$root/scripts/wine-loader.sh'; $SNIPPET" 2>&1
}

echo "A machine without 32-bit support, wine32 installed"
SNIPPET='vp_detect_32bit; echo "$VP_RUNS_32BIT|$VP_RUNS_32BIT_WHY|$(vp_wine_loader)"; vp_wine --version'
said=$(in_shell VP_WINE_LOADER32="$box/unrunnable" VP_WINE_LOADER64="$box/loader64")
check "32-bit programs found not to run" contains "$said" "no|"
check "the reason quotes the loader's status and words" \
    contains "$said" "failed with status 126: cannot execute binary file: Exec format error"
check "the 64-bit loader is chosen" contains "$said" "|$box/loader64"
check "it is started directly, with WINELOADER naming it" \
    contains "$said" "started by $box/loader64 with WINELOADER=$box/loader64: --version"

echo "A machine with 32-bit support, wine32 installed"
SNIPPET='vp_detect_32bit; echo "$VP_RUNS_32BIT|$VP_RUNS_32BIT_WHY|$(vp_wine_loader)|"'
said=$(in_shell VP_WINE_LOADER32="$box/runnable" VP_WINE_LOADER64="$box/loader64")
check "32-bit programs found to run" contains "$said" "yes|"
check "Debian's wrapper is kept, as before" contains "$said" "|wine|"

echo "The answer is asked once and inherited"
SNIPPET='vp_detect_32bit; echo "$VP_RUNS_32BIT"'
said=$(VP_RUNS_32BIT=no VP_RUNS_32BIT_WHY=given bash -c \
    "VP_WINE_LOADER32='$box/runnable' source '$root/scripts/wine-loader.sh'; $SNIPPET")
check "a detected answer in the environment is not asked again" [ "$said" = no ]

echo "Without wine32, the kernel is asked with a 32-bit program"
SNIPPET='vp_ia32_probe >/dev/null 2>&1; echo $?'
probe=$(in_shell VP_WINE_LOADER32="$box/none")
check "the probe runs (0) or is refused as a foreign format (126), nothing else" \
    contains " 0 126 " " $probe "
if [[ -x /usr/lib/wine/wine ]]; then
    real=0
    /usr/lib/wine/wine --version >/dev/null 2>&1 || real=$?
    check "the probe agrees with the real 32-bit loader (probe $probe, loader $real)" \
        [ "$((probe == 0))" = "$((real == 0))" ]
fi

echo "A 32-bit build where 32-bit programs cannot run"
fake_build="$box/mingw32"
mkdir -p "$fake_build/CMakeFiles/3.25.1"
echo 'set(CMAKE_CXX_SIZEOF_DATA_PTR "4")' >"$fake_build/CMakeFiles/3.25.1/CMakeCXXCompiler.cmake"
status=0
said=$(VP_RUNS_32BIT=no VP_RUNS_32BIT_WHY="kernel says no" bash -c \
    "source '$root/tests/wine/lib.sh'; wine_build '$fake_build'; echo went on" 2>&1) || status=$?
check "its suite ends as skipped (status 77, CTest's skip)" [ "$status" = 77 ]
check "with the one line that says why" \
    contains "$said" "this machine cannot run 32-bit programs: the 32-bit suites are skipped"
said=$(VP_RUNS_32BIT=yes bash -c \
    "source '$root/tests/wine/lib.sh'; wine_build '$fake_build'; echo went on" 2>&1)
check "where they can run, the suite goes on" contains "$said" "went on"
sed -i 's/"4"/"8"/' "$fake_build/CMakeFiles/3.25.1/CMakeCXXCompiler.cmake"
said=$(VP_RUNS_32BIT=no bash -c \
    "source '$root/tests/wine/lib.sh'; wine_build '$fake_build'; echo went on" 2>&1)
check "a 64-bit build's suites run either way" contains "$said" "went on"

echo "A loader that does not start says so"
status=0
said=$(VP_RUNS_32BIT=no VP_RUNS_32BIT_WHY="kernel says no" VP_WINE_LOADER64="$box/broken64" \
    TMPDIR="$box" bash -c "source '$root/tests/wine/lib.sh'; wine_scratch_begin; echo went on" 2>&1) ||
    status=$?
check "making a prefix stops (status $status)" [ "$status" = 1 ]
check "naming the loader and its status" contains "$said" "'$box/broken64 --version' failed with status 1"
check "with the loader's own message" contains "$said" "could not load ntdll.so"
check "and leaves no scratch folder behind" [ -z "$(find "$box" -maxdepth 1 -name 'vp-wine.*')" ]

echo "The test command's packages follow the answer"
list=$(VP_RUNS_32BIT=no "$root/scripts/install-deps.sh" --packages test)
check "no wine32 where 32-bit programs cannot run" eval '! contains "$list" wine32'
check "the 64-bit Wine is still installed" contains " $list " " wine64 "
list=$(VP_RUNS_32BIT=yes "$root/scripts/install-deps.sh" --packages test)
check "wine32 where they can" contains "$list" "wine32:i386"

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
