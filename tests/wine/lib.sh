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
