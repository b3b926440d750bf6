# Shared helpers for the suites that run the Windows build under Wine. Source it.
#
# Every suite runs in a scratch environment of its own: a fresh Wine prefix, HOME and
# XDG_DATA_HOME (Wine's recycle bin is the XDG trash), made here under TMPDIR (or /tmp) and
# removed on exit, so no test ever touches this machine's own files, registry or trash. Wine's
# server folder (wine-XXXXXX/server-*, made under TMPDIR) and the virtual display's files go
# with it, whether the suite ends, fails or is interrupted.

#
# Started as root, a suite runs as an unprivileged user instead (scripts/wine-user.sh): it
# starts again as that user when it makes its scratch prefix (or at once, with
# wine_as_unprivileged_user). Steps before that which write into the build folder go through
# suite_prepare, which the second start skips; outputs kept in the build folder go into a
# folder made with suite_output_folder.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-loader.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-user.sh"

WINE_SCRATCH=""
VP_XVFB_PID=""
# The suite and its arguments, to start it again as the unprivileged user (none when lib.sh is
# sourced by a command rather than a suite's script).
VP_SUITE_SCRIPT=""
[[ -f "$0" ]] && VP_SUITE_SCRIPT=$(realpath "$0")
VP_SUITE_ARGS=("$@")

# Started as root: starts this suite again, from its beginning, as VP_WINE_USER (the same
# environment; a scratch folder under a TMPDIR it can write to; no display of root's).
wine_as_unprivileged_user() {
    vp_wine_drops_root && [[ -n $VP_SUITE_SCRIPT ]] || return 0
    vp_wine_user_ensure || exit 1
    if [[ -n ${TMPDIR:-} ]] && ! setpriv --reuid="$VP_WINE_USER" --regid="$VP_WINE_USER" \
        --clear-groups test -w "$TMPDIR" -a -x "$TMPDIR"; then
        export TMPDIR=/tmp
    fi
    unset DISPLAY XAUTHORITY
    exec setpriv --reuid="$VP_WINE_USER" --regid="$VP_WINE_USER" --clear-groups \
        env VP_WINE_UNPRIVILEGED=1 USER="$VP_WINE_USER" LOGNAME="$VP_WINE_USER" \
        bash "$VP_SUITE_SCRIPT" "${VP_SUITE_ARGS[@]}"
}

# Runs a step that writes into the build folder (a build, a package) unless this is the
# suite's second start as the unprivileged user, whose first start has made it already.
suite_prepare() { [[ -n ${VP_WINE_UNPRIVILEGED:-} ]] || "$@"; }

# A folder in the build folder for what a suite keeps (screenshots, saved logs), emptied: made
# by the first start, so that the unprivileged user can fill it.
suite_output_folder() {
    local folder=$1
    if [[ -z ${VP_WINE_UNPRIVILEGED:-} ]]; then
        rm -rf "$folder"
        mkdir -p "$folder"
        if vp_wine_drops_root; then
            vp_wine_user_ensure && chown "$VP_WINE_USER:" "$folder"
        fi
    else
        find "$folder" -mindepth 1 -delete
    fi
}

# Every Wine program runs as a child the shell waits for with `wait`, which a trapped signal
# interrupts at once: Wine programs (wineboot above all) let Ctrl-C pass unnoticed, and a shell
# waiting for them in the foreground would only run its trap once they end.
vp_interruptible() {
    "$@" <&0 &
    wait "$!"
}
wine() { vp_interruptible vp_wine "$@"; }
wineserver() { vp_interruptible command wineserver "$@"; }

# Wine shows the Unix root as drive Z:. (Asking winepath would start the prefix's server.)
windows_path() { local p=$1; echo "Z:${p//\//\\}"; }

# The build folder a suite was given, made absolute (VP_BUILD). A 32-bit build on a machine
# that cannot run 32-bit programs ends the suite here as skipped (CTest's status 77), with the
# line that says why.
wine_build() {
    local build=${1:?build folder, e.g. build/mingw64}
    [[ -d "$build" ]] || { echo "error: no build folder $build: build its preset first" >&2; exit 1; }
    VP_BUILD=$(cd "$build" && pwd)
    if [[ $(vp_build_bits "$VP_BUILD") == 32 ]] && ! vp_runs_32bit; then
        echo "$VP_NO_32BIT_LINE ($VP_RUNS_32BIT_WHY)"
        exit 77
    fi
}

# 32 or 64: the pointer size the build folder's compiler was configured with.
vp_build_bits() {
    local size
    size=$(sed -n 's/^set(CMAKE_CXX_SIZEOF_DATA_PTR "\([0-9]*\)")$/\1/p' \
        "$1"/CMakeFiles/*/CMakeCXXCompiler.cmake 2>/dev/null | head -n1)
    echo $((${size:-8} * 8))
}

wine_scratch_begin() {
    wine_as_unprivileged_user
    WINE_SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/vp-wine.XXXXXX")
    trap wine_scratch_end EXIT
    trap 'wine_interrupted 130' INT
    trap 'wine_interrupted 143' TERM
    trap 'wine_interrupted 129' HUP
    export WINEPREFIX="$WINE_SCRATCH/pfx"
    export HOME="$WINE_SCRATCH/home"
    export XDG_DATA_HOME="$WINE_SCRATCH/xdg"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_CACHE_HOME="$HOME/.cache"
    # Wine makes its server folder under TMPDIR: inside the scratch, it goes with it.
    export TMPDIR="$WINE_SCRATCH/tmp"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$TMPDIR"
    vp_wine_check || exit 1
    local status=0
    wine wineboot -i >"$WINE_SCRATCH/wineboot.log" 2>&1 || status=$?
    if ((status != 0)); then
        echo "error: making the scratch Wine prefix failed ('$(vp_wine_loader) wineboot -i', status $status):" >&2
        sed 's/^/    /' "$WINE_SCRATCH/wineboot.log" >&2
        exit 1
    fi
    wineserver -w
}

wine_scratch_end() {
    [[ -n "$WINE_SCRATCH" ]] || return 0
    if [[ -d "$WINEPREFIX" ]]; then
        command wineserver -k >/dev/null 2>&1 || true
    fi
    vp_xvfb_stop
    # Whatever else this shell started (a program held in the background by a suite).
    local child
    for child in $(jobs -p); do kill -TERM "$child" 2>/dev/null || true; done
    rm -rf "$WINE_SCRATCH" 2>/dev/null || { chmod -R u+w "$WINE_SCRATCH" && rm -rf "$WINE_SCRATCH"; }
    WINE_SCRATCH=""
}

wine_interrupted() {
    trap - INT TERM HUP
    echo "Interrupted: removing the scratch prefix." >&2
    wine_scratch_end
    exit "$1"
}

# Fixed look for screenshots and pixel comparisons: Wine's own fonts, no theme, classic
# colours, no font smoothing. Without Wine's fonts (fonts-wine) and the Arial-metric ones
# (fonts-liberation) every caption would be drawn in a wider substitute: refuse rather than
# take pictures of that.
wine_scratch_classic_look() {
    local missing=()
    [[ -f /usr/share/wine/fonts/tahoma.ttf ]] || missing+=(fonts-wine)
    [[ -f /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf ]] ||
        missing+=(fonts-liberation)
    if ((${#missing[@]})); then
        echo "error: missing fonts (${missing[*]}): the window would be drawn with substitutes." >&2
        echo "       Install them with: scripts/install-deps.sh test" >&2
        exit 1
    fi
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    local reg="$WINE_SCRATCH/look.reg"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\r\n"ThemeActive"="0"\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"FontSmoothing"="0"\r\n' >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    wineserver -w
}

# A virtual X display of our own (Xvfb picks a free number); its lock and socket go when it
# is stopped.
vp_xvfb_start() {
    local number="$WINE_SCRATCH/xvfb.display"
    : >"$number"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" \
        >"$WINE_SCRATCH/xvfb.log" 2>&1 </dev/null &
    VP_XVFB_PID=$!
    local _
    for _ in $(seq 100); do
        [[ -s "$number" ]] && break
        kill -0 "$VP_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [[ ! -s "$number" ]]; then
        echo "error: Xvfb did not start:" >&2
        sed 's/^/    /' "$WINE_SCRATCH/xvfb.log" >&2
        return 1
    fi
    VP_XVFB_DISPLAY=":$(head -n1 "$number")"
}

vp_xvfb_stop() {
    [[ -n "$VP_XVFB_PID" ]] || return 0
    kill -TERM "$VP_XVFB_PID" 2>/dev/null || true
    wait "$VP_XVFB_PID" 2>/dev/null || true
    VP_XVFB_PID=""
}

# Runs a command under a virtual X display when there is no display of our own. The prefix's
# programs end before the display does (a Wine program that outlives its X server complains
# on the terminal); the next Wine call starts the server again.
with_display() {
    if [[ -n "${DISPLAY:-}" ]]; then
        "$@"
        return
    fi
    vp_xvfb_start
    local status=0
    DISPLAY=$VP_XVFB_DISPLAY "$@" || status=$?
    DISPLAY=$VP_XVFB_DISPLAY vp_interruptible timeout 20 wineserver -w ||
        command wineserver -k >/dev/null 2>&1 || true
    vp_xvfb_stop
    return "$status"
}

# --- Checks shared by the end-to-end suites ------------------------------------------------

WINE_FAILURES=0

# The Windows driver of the end-to-end tests in the build folder given to the suite.
wine_driver() {
    wine_build "$1"
    local build=$VP_BUILD
    E2E=$build/tests/win32/e2e/vp_e2e.exe
    [[ -f "$E2E" ]] || { echo "missing $E2E: build the ${build##*/} preset first" >&2; exit 1; }
}

# Runs the driver under the scratch prefix; its output is UTF-8 with Unix line ends.
e2e() { wine "$E2E" "$@" 2>/dev/null | tr -d '\r'; }

# The lines of one "[Title]" section of the driver's run output.
section() {
    awk -v want="[$1]" '/^\[.*\]$/ { on = ($0 == want); next } on' "$2"
}

pass() { printf '  ok    %s\n' "$1"; }
# Counts a failed check; a suite may override it (and return 1 for a failure it does not count,
# whose details are then not shown).
fail() {
    printf '  FAIL  %s\n' "$1"
    WINE_FAILURES=$((WINE_FAILURES + 1))
}

# expect_lines NAME ACTUAL_FILE <<< "expected lines": compares line by line, shows the diff.
expect_lines() {
    local name=$1 actual=$2 expected
    expected=$(cat; echo .) # keeps the closing empty lines
    if diff -u --label expected --label actual <(printf '%s' "${expected%.}") "$actual" >"$WINE_SCRATCH/diff"; then
        pass "$name"
    else
        if fail "$name"; then sed 's/^/        /' "$WINE_SCRATCH/diff"; fi
    fi
}

expect_present() { if [[ -e "$2" || -L "$2" ]]; then pass "$1"; else fail "$1 (missing: $2)" || true; fi; }
expect_absent() { if [[ -e "$2" || -L "$2" ]]; then fail "$1 (still there: $2)" || true; else pass "$1"; fi; }

# --- The console program's suites (e2e-console.sh, e2e-rules.sh) ---------------------------

# vx NAME ARGS...: runs $VEXOMA (the suite's vexoma.exe), keeps its bytes in NAME.raw, its
# output read as text (the console's code page, 437 in a new prefix, with CR LF) in NAME.out,
# its errors in NAME.err, its status in NAME.status, all in the scratch folder.
vx() {
    local name=$1
    shift
    local status=0
    wine "$VEXOMA" "$@" >"$WINE_SCRATCH/$name.raw" 2>"$WINE_SCRATCH/$name.rawerr" || status=$?
    iconv -f CP437 -t UTF-8 "$WINE_SCRATCH/$name.raw" | tr -d '\r' >"$WINE_SCRATCH/$name.out"
    iconv -f CP437 -t UTF-8 "$WINE_SCRATCH/$name.rawerr" | tr -d '\r' >"$WINE_SCRATCH/$name.err"
    echo "$status" >"$WINE_SCRATCH/$name.status"
}
expect_status() { # expect_status NAME RUN STATUS
    local got
    got=$(cat "$WINE_SCRATCH/$2.status")
    if [[ $got == "$3" ]]; then pass "$1"; else fail "$1 (status $got, expected $3)" || true; fi
}
expect_grep() { # expect_grep NAME FILE TEXT: FILE (in the scratch folder) holds TEXT
    if grep -qF -- "$3" "$WINE_SCRATCH/$2"; then pass "$1"; else
        if fail "$1"; then sed 's/^/        /' "$WINE_SCRATCH/$2" | head -40; fi
    fi
}
expect_no_grep() { # expect_no_grep NAME FILE TEXT
    if grep -qF -- "$3" "$WINE_SCRATCH/$2"; then fail "$1" || true; else pass "$1"; fi
}
expect_same() { # expect_same NAME FILE1 FILE2: the same bytes, else the difference shown
    if cmp -s "$2" "$3"; then pass "$1"; else
        if fail "$1"; then diff -u "$2" "$3" | sed 's/^/        /' | head -40; fi
    fi
}
# The whole prefix, as a preview must leave it: every file and folder under drive_c with its
# size, mode and DOS attributes, and every key and value of HKEY_CURRENT_USER. With
# --no-times, values named "...Time" (which the system itself rewrites) are left out.
whole_prefix() {
    python3 - "$WINEPREFIX/drive_c" <<'PY'
import os, sys
root = sys.argv[1]
for folder, dirs, files in sorted(os.walk(root)):
    dirs.sort()
    for name in sorted(dirs + files):
        path = os.path.join(folder, name)
        st = os.lstat(path)
        try:
            dos = os.getxattr(path, "user.DOSATTRIB", follow_symlinks=False).decode()
        except OSError:
            dos = "-"
        size = st.st_size if os.path.isfile(path) else "-"
        print(os.path.relpath(path, root), size, oct(st.st_mode), dos)
PY
    wine regedit /E "$WINE_SCRATCH/hkcu.reg" HKEY_CURRENT_USER >/dev/null 2>&1
    if [[ ${1:-} == --no-times ]]; then
        iconv -f UTF-16LE -t UTF-8 "$WINE_SCRATCH/hkcu.reg" | tr -d '\r' | grep -v '^"\?[A-Za-z]*Time'
    else
        iconv -f UTF-16LE -t UTF-8 "$WINE_SCRATCH/hkcu.reg" | tr -d '\r'
    fi
}
# The run-log part of a run's output: every line before the summary's heading.
run_log() { sed -n '/^\(Aperçu : \|Bilan du nettoyage :\)/q;p' "$WINE_SCRATCH/$1.out"; }

# Ends a suite: its verdict is its exit status.
wine_suite_end() {
    if ((WINE_FAILURES > 0)); then
        echo "$WINE_FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
