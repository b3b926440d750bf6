#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages one of the project's commands needs, and only
# those; does nothing when they are all there. Debian 12 (bookworm) or later: the build needs
# CMake 3.25.
#
# Usage: install-deps.sh [--packages] run|test|lint|release
#   --packages  prints the packages the command needs, one line, and installs nothing
#   run   scripts/run.sh and scripts/screenshot.sh: the 64-bit cross build and Wine with a display
#   release  scripts/release.sh: both cross builds, the zips and the installers
#   test  scripts/test-all.sh: both builds, the unit tests, and the suites under 64-bit Wine
#         (and 32-bit Wine where this machine runs 32-bit programs) with the installer's tools,
#         and the lint and format checks
#   lint  scripts/lint.sh and scripts/format-check.sh: the sim and mingw64 builds' compile
#         commands, clang-tidy and clang-format
#
# Exits with status 3, naming the packages and the command to install them, when some are
# missing and this user cannot install them (neither root nor sudo).
set -euo pipefail
source "$(dirname "$0")/wine-loader.sh"

usage() { echo "usage: install-deps.sh [--packages] run|test|lint|release" >&2; exit 2; }
only_list=false
if [[ ${1:-} == --packages ]]; then
    only_list=true
    shift
fi
[[ $# -eq 1 ]] || usage

# The simulation build: native compiler, GoogleTest, libpng for the golden images.
native=(cmake ninja-build g++ libgtest-dev libpng-dev)
# clang-tidy on the logic and the Win32 code (the cross compiler's headers), clang-format.
checks=(clang-tidy clang-format g++-mingw-w64-x86-64)
# Wine with a virtual display, and the fonts the window is drawn with (recommended by libwine
# only, so left out by --no-install-recommends).
wine=(wine wine64 xvfb fonts-wine fonts-liberation)
i386=false
case $1 in
run) packages=(cmake ninja-build g++-mingw-w64-x86-64 "${wine[@]}") ;;
test)
    # nsis and zip make the installer and the archive that the packaging suites check.
    packages=("${native[@]}" mingw-w64 "${wine[@]}" nsis zip python3 "${checks[@]}")
    # 32-bit Wine runs the mingw32 build in the same prefix, where this machine runs 32-bit
    # programs at all. Elsewhere it would only break Debian's `wine`, which prefers it.
    if vp_runs_32bit; then
        packages+=(wine32:i386)
        i386=true
    fi
    ;;
lint) packages=("${native[@]}" "${checks[@]}") ;;
release) packages=(cmake ninja-build mingw-w64 nsis python3) ;;
*) usage ;;
esac

if $only_list; then
    echo "${packages[*]}"
    exit 0
fi

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done

if ((${#missing[@]})); then
    as_root=()
    if [[ $(id -u) -ne 0 ]]; then
        if command -v sudo >/dev/null 2>&1; then
            as_root=(sudo)
        else
            {
                echo "error: these Debian packages are missing: ${missing[*]}"
                echo "       and this user can install nothing (not root, no sudo). As root, run:"
                $i386 && echo "           dpkg --add-architecture i386"
                echo "           apt-get update"
                echo "           apt-get install --no-install-recommends ${missing[*]}"
            } >&2
            exit 3
        fi
    fi
    echo "Installing the Debian packages: ${missing[*]}"
    if $i386 && ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${as_root[@]}" dpkg --add-architecture i386
    fi
    log=$(mktemp "${TMPDIR:-/tmp}/vp-apt.XXXXXX")
    trap 'rm -f "$log"' EXIT
    if ! { "${as_root[@]}" apt-get update -qq &&
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        echo "error: apt-get could not install ${missing[*]}:" >&2
        tail -n 20 "$log" | sed 's/^/    /' >&2
        exit 3
    fi
fi

# Older Debian releases have an older CMake: say so rather than let the presets fail.
version=$(cmake --version | sed -n '1s/[^0-9]*\([0-9]*\)\.\([0-9]*\).*/\1 \2/p')
read -r major minor <<<"$version"
if ((major < 3 || (major == 3 && minor < 25))); then
    echo "error: CMake ${major}.${minor} is too old; the build needs 3.25 (Debian 12 or later)." >&2
    exit 3
fi
