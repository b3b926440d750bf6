#!/usr/bin/env bash
# Nothing is left behind: a suite run under a TMPDIR of its own leaves that folder as empty as
# it found it (scratch prefix, HOME, Wine's wine-XXXXXX/server-* folder), whether it ends
# normally or is interrupted with Ctrl-C while the prefix is being made or while a program
# runs on the virtual display; the display's lock goes too, and Ctrl-C ends it at once.
#
# Usage: tests/wine/leftovers.sh build/mingw64
source "$(dirname "$0")/lib.sh"
wine_as_unprivileged_user # its boxes must be the user's, who runs the suites it starts
here=$(cd "$(dirname "$0")" && pwd)
wine_build "${1:?usage: leftovers.sh BUILD_DIR}"
build=$VP_BUILD

box=$(mktemp -d "${TMPDIR:-/tmp}/vp-leftovers.XXXXXX")
notes=$(mktemp -d "${TMPDIR:-/tmp}/vp-leftovers-notes.XXXXXX")
trap 'rm -rf "$box" "$notes"' EXIT

# What the box holds, one path a line ("" when empty).
contents() { (cd "$box" && find . -mindepth 1 | sort); }
expect_empty() {
    local left
    left=$(contents)
    if [[ -z "$left" ]]; then pass "$1"; else fail "$1"; sed 's/^/        left: /' <<<"$left"; fi
}

# Starts COMMAND in a process group of its own, as a terminal starts a command, with Ctrl-C
# not ignored (a background job of a script would ignore it).
start() { setsid env --default-signal=INT TMPDIR="$box" "$@" >"$notes/out" 2>&1 & started=$!; }
# Ctrl-C to the whole group, as a terminal sends it; the seconds it took to end.
interrupt() {
    local from=$SECONDS
    kill -INT -- "-$started"
    wait "$started" || true
    took=$((SECONDS - from))
}

echo "A suite that ends normally"
if TMPDIR="$box" bash "$here/narrow-text.sh" "$build" >"$notes/out" 2>&1; then
    pass "the suite passes"
else
    fail "the suite passes"
    sed 's/^/        /' "$notes/out"
fi
expect_empty "TMPDIR is as empty afterwards as before"

echo "Ctrl-C while the prefix is being made"
start bash "$here/narrow-text.sh" "$build"
sleep 3
[[ -n $(contents) ]] && pass "the scratch prefix is being made under TMPDIR" ||
    fail "the scratch prefix is being made under TMPDIR"
interrupt
((took <= 3)) && pass "the suite ends at once (${took} s)" || fail "the suite ends at once (${took} s)"
expect_empty "TMPDIR is empty again"

echo "Ctrl-C while a program runs on the virtual display"
cat >"$notes/display.sh" <<SCRIPT
source "$here/lib.sh"
wine_scratch_begin
with_display bash -c 'echo "\$DISPLAY" >"$notes/display"; sleep 60'
SCRIPT
start bash "$notes/display.sh"
for _ in $(seq 300); do [[ -s "$notes/display" ]] && break; sleep 0.1; done
display=$(cat "$notes/display" 2>/dev/null || true)
[[ -n "$display" ]] && pass "the virtual display $display is up" || fail "the virtual display is up"
interrupt
((took <= 3)) && pass "the run ends at once (${took} s)" || fail "the run ends at once (${took} s)"
expect_empty "TMPDIR is empty again"
if [[ -n "$display" && ! -e "/tmp/.X${display#:}-lock" && ! -e "/tmp/.X11-unix/X${display#:}" ]]; then
    pass "the display's lock and socket are gone"
else
    fail "the display's lock and socket are gone"
fi

wine_suite_end
