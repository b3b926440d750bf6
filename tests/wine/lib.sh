# Shared helpers for the suites that run the Windows build under Wine. Source it.
#
# Every suite runs in a scratch environment of its own: a fresh Wine prefix, HOME and
# XDG_DATA_HOME (Wine's recycle bin is the XDG trash), made here and removed on exit, so no
# test ever touches this machine's own files, registry or trash.

set -euo pipefail

wine_scratch_begin() {
    WINE_SCRATCH=$(mktemp -d /tmp/vp-wine.XXXXXX)
    export WINEPREFIX="$WINE_SCRATCH/pfx"
    export HOME="$WINE_SCRATCH/home"
    export XDG_DATA_HOME="$WINE_SCRATCH/xdg"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_CACHE_HOME="$HOME/.cache"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
    trap wine_scratch_end EXIT
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
}

wine_scratch_end() {
    if [[ -n "${WINE_SCRATCH:-}" && -d "$WINE_SCRATCH" ]]; then
        wineserver -k >/dev/null 2>&1 || true
        rm -rf "$WINE_SCRATCH"
    fi
}

# Fixed look for screenshots and pixel comparisons: Wine's own fonts, no theme, classic
# colours, no font smoothing.
wine_scratch_classic_look() {
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    local reg="$WINE_SCRATCH/look.reg"
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\r\n"ThemeActive"="0"\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"FontSmoothing"="0"\r\n' >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    wineserver -w
}

# Runs a command under a virtual X display when there is no display of our own.
with_display() {
    if [[ -n "${DISPLAY:-}" ]]; then
        "$@"
    else
        xvfb-run -a -s "-screen 0 1024x768x24" "$@"
    fi
}

# --- Checks shared by the end-to-end suites ------------------------------------------------

WINE_FAILURES=0

# The Windows driver of the end-to-end tests in the build folder given to the suite.
wine_driver() {
    local build=${1:?build folder, e.g. build/mingw64}
    E2E=$(cd "$build" && pwd)/tests/win32/e2e/vp_e2e.exe
    [[ -f "$E2E" ]] || { echo "missing $E2E: build the mingw64 preset first" >&2; exit 1; }
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

# Ends a suite: its verdict is its exit status.
wine_suite_end() {
    if ((WINE_FAILURES > 0)); then
        echo "$WINE_FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
