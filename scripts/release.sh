#!/usr/bin/env bash
# Makes the release for Windows users: both architectures cross-built in Release, then for each
# a portable zip and a per-user installer, SHA256SUMS over them, and BUILDINFO.txt (the source
# commit and the exact Debian packages that made them), in build/release/.
#
#   scripts/release.sh [--build-root DIR] [--out DIR]
#       everything; the builds go to DIR/mingw64 and DIR/mingw32 (default: build)
#   scripts/release.sh installer BUILD OUT_DIR
#       only the installer of one existing build folder (e.g. build/mingw64), into OUT_DIR
#
# Two runs from the same commit with the same packages give byte-identical files: no link time
# in the executables, and every file packed with the commit's time (SOURCE_DATE_EPOCH) in a
# fixed order.
set -euo pipefail
cd "$(dirname "$0")/.."
source=$(pwd)
# Debian's own Python, whose version BUILDINFO.txt records (another one first on PATH would
# deflate the zips with another zlib).
python=/usr/bin/python3

version=$(sed -n 's/^project(VexomaPellora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ -n "$version" ]] || { echo "no version in the project() line of CMakeLists.txt" >&2; exit 1; }
# The publisher, named alike by the programs' version resources, the installer and the uninstall
# entry: the copyright holder of LICENSE.
read -r year publisher < <(sed -n 's/^Copyright (c) \([0-9]*\) \(.*\)$/\1 \2/p' LICENSE | head -n 1)
[[ -n "${publisher:-}" ]] || { echo "no line \"Copyright (c) YEAR PUBLISHER\" in LICENSE" >&2; exit 1; }
: "${SOURCE_DATE_EPOCH:=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}"
export SOURCE_DATE_EPOCH

arch_of() { # build folder -> win64 | win32
    if grep -q '^CMAKE_TOOLCHAIN_FILE:.*x86_64' "$1/CMakeCache.txt"; then
        echo win64
    else
        echo win32
    fi
}

# Cross-builds the program (and the console program, when the build has one) in Release.
build() {
    local preset=$1 dir=$2
    cmake --preset "$preset" -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$dir" -j 2 --target vexoma-pellora
    local console
    console=$(console_target "$dir")
    [[ -z "$console" ]] || cmake --build "$dir" -j 2 --target "$console"
}

# The build's output path of vexoma.exe, when it has such a target (the file itself, not the
# alias Ninja adds at the top of the build).
console_target() {
    ninja -C "$1" -t targets all 2>/dev/null | grep -v ': phony$' |
        sed -n 's|^\(\([^:]*/\)\{0,1\}vexoma\.exe\): .*|\1|p' | head -n 1
}

# Text for Windows: CR LF line ends, and a byte-order mark so that Notepad reads UTF-8.
windows_text() {
    printf '\xef\xbb\xbf'
    sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$2/g" -e "s/@YEAR@/$year/g" \
        -e "s/@PUBLISHER@/$publisher/g" -e 's/$/\r/' "$1"
}

# Gathers what a package holds into STAGE, every file with the commit's time.
stage() {
    local dir=$1 arch=$2 stage=$3 console
    rm -rf "$stage"
    mkdir -p "$stage"
    cp "$dir/src/app/win32/VexomaPellora.exe" "$stage/"
    console=$(console_target "$dir")
    if [[ -n "$console" && -f "$dir/$console" ]]; then
        cp "$dir/$console" "$stage/vexoma.exe"
    fi
    windows_text LICENSE "$arch" >"$stage/LICENSE.txt"
    windows_text packaging/LISEZMOI.txt "$arch" >"$stage/LISEZMOI.txt"
    chmod 644 "$stage"/*
    touch -d "@$SOURCE_DATE_EPOCH" "$stage"/* "$stage"
}

# A zip whose bytes depend only on the files: fixed order, time, permissions and host.
make_zip() {
    local stage=$1 top=$2 zip=$3
    "$python" - "$stage" "$top" "$zip" <<'PY'
import os, sys, time, zipfile
stage, top, out = sys.argv[1:]
when = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
when = max(when, (1980, 1, 1, 0, 0, 0))
with zipfile.ZipFile(out, "w") as archive:
    for name in sorted(os.listdir(stage)):
        entry = zipfile.ZipInfo(f"{top}/{name}", when)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 0
        entry.external_attr = 0x20  # archive attribute, as Windows writes it
        with open(os.path.join(stage, name), "rb") as f:
            archive.writestr(entry, f.read(), compresslevel=9)
PY
}

make_installer() {
    local stage=$1 arch=$2 out=$3 defines=()
    [[ -f "$stage/vexoma.exe" ]] && defines+=(-DCONSOLE)
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DARCH="$arch" -DSTAGE="$stage" \
        -DPUBLISHER="$publisher" -DYEAR="$year" -DPYTHON="$python" \
        -DICON="$source/src/app/win32/art/app.ico" -DOUTFILE="$out" \
        "${defines[@]}" packaging/VexomaPellora.nsi
}

# The Debian packages (name:architecture) that hold FILES, through links and alternatives; a
# file of none is named instead. One dpkg-query for all, which is slow.
packages_of() {
    local file resolved candidates=() found
    for file in "$@"; do
        resolved=$(readlink -f "$file")
        # Merged /usr: dpkg may know the file by its name under /lib rather than /usr/lib.
        candidates+=("$resolved" "${resolved#/usr}")
    done
    found=$(dpkg-query -S "${candidates[@]}" 2>/dev/null || true)
    sed 's/: .*//; s/, /\n/g' <<<"$found" | sort -u
    for file in "$@"; do
        resolved=$(readlink -f "$file")
        grep -qxF -e "$resolved" -e "${resolved#/usr}" <(sed 's/^.*: //' <<<"$found") ||
            echo "(in no package: $resolved)"
    done
}

# What another machine needs to make the same bytes: the source commit, the time the files
# carry, and the exact version of every Debian package whose files made them, found from the
# files themselves (compilers through their alternatives, headers, libraries, makensis and its
# stubs, the Python and zlib that make the zips).
build_info() {
    local commit state files=() triplet compiler
    commit=$(git rev-parse HEAD 2>/dev/null || echo "unknown (not a git checkout)")
    state=""
    if [[ -n "$(git status --porcelain --untracked-files=no 2>/dev/null)" ]]; then
        state=" with uncommitted changes: these files cannot be made again from the commit"
    fi
    for triplet in x86_64-w64-mingw32 i686-w64-mingw32; do
        compiler=$(command -v "$triplet-g++")
        files+=("$compiler" "$("$compiler" -print-prog-name=cc1plus)"
            "$("$compiler" -print-libgcc-file-name)" "$("$compiler" -print-file-name=libstdc++.a)"
            "$(command -v "$triplet-windres")" "$(command -v "$triplet-ld")"
            "/usr/$triplet/include/windows.h" "/usr/$triplet/lib/libkernel32.a")
    done
    files+=("$(command -v makensis)" /usr/share/nsis/Stubs/lzma_solid-x86-unicode
        "$python" "$("$python" -c 'import zipfile; print(zipfile.__file__)')"
        "$(ldd "$(readlink -f "$python")" | awk '/libz\.so/ { print $3 }')"
        "$(command -v cmake)" "$(command -v ninja)")
    echo "Vexoma Pellora $version, release for Windows (win64, win32)"
    echo
    echo "Source commit:     $commit$state"
    echo "SOURCE_DATE_EPOCH: $SOURCE_DATE_EPOCH ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))"
    echo "Built on:          $(. /etc/os-release && echo "$PRETTY_NAME"), $(dpkg --print-architecture)"
    echo "Command:           scripts/release.sh"
    echo "Compilers:         $(readlink -f "$(command -v x86_64-w64-mingw32-g++)"), $(readlink -f "$(command -v i686-w64-mingw32-g++)")"
    echo
    echo "Debian packages (dpkg-query -W) whose files made the release:"
    local package
    while read -r package; do
        if [[ $package == "("* ]]; then
            echo "    $package"
        else
            dpkg-query -W -f='    ${Package} ${Version}\n' "$package"
        fi
    done < <(packages_of "${files[@]}")
}

installer_only() {
    local dir=${1:?build folder} out=${2:?output folder} arch
    scripts/install-deps.sh release
    dir=$(realpath "$dir")
    mkdir -p "$out"
    out=$(realpath "$out")
    arch=$(arch_of "$dir")
    stage "$dir" "$arch" "$out/stage-$arch"
    make_installer "$out/stage-$arch" "$arch" "$out/VexomaPellora-$version-$arch-setup.exe"
    rm -rf "$out/stage-$arch"
    echo "$out/VexomaPellora-$version-$arch-setup.exe"
}

release() {
    local root=build out=""
    while (($#)); do
        case $1 in
            --build-root) root=$2; shift 2 ;;
            --out) out=$2; shift 2 ;;
            *) echo "unknown option $1" >&2; exit 2 ;;
        esac
    done
    out=${out:-$root/release}
    scripts/install-deps.sh release
    mkdir -p "$root" "$out"
    root=$(realpath "$root")
    out=$(realpath "$out")
    rm -rf "$out"/VexomaPellora-* "$out/SHA256SUMS" "$out/BUILDINFO.txt"

    local preset arch dir files=()
    for preset in mingw64 mingw32; do
        dir="$root/$preset"
        build "$preset" "$dir"
        arch=$(arch_of "$dir")
        local name="VexomaPellora-$version-$arch"
        stage "$dir" "$arch" "$out/$name"
        make_zip "$out/$name" "$name" "$out/$name.zip"
        make_installer "$out/$name" "$arch" "$out/$name-setup.exe"
        rm -rf "${out:?}/$name"
        files+=("$name.zip" "$name-setup.exe")
    done
    (cd "$out" && sha256sum "${files[@]}" >SHA256SUMS)
    build_info >"$out/BUILDINFO.txt"
    touch -d "@$SOURCE_DATE_EPOCH" "$out"/VexomaPellora-* "$out/SHA256SUMS" "$out/BUILDINFO.txt"
    echo "Release $version in $out:"
    (cd "$out" && ls -l --time-style=+ VexomaPellora-* SHA256SUMS BUILDINFO.txt | awk '{ print "    " $5 "\t" $NF }')
}

if [[ "${1:-}" == installer ]]; then
    shift
    installer_only "$@"
else
    release "$@"
fi
