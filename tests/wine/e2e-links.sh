#!/usr/bin/env bash
# End to end under Wine: the sweeper and the run log's save against links and odd names planted
# by someone else, as an attacker would. Wine shows the host's symbolic links as the files and
# folders they lead to and deletes a link's target when asked to delete the link, so each
# link here leads to a canary that must survive: links to siblings whose names differ only in
# letter case, a trailing dot or a trailing blank (names Wine cannot tell apart), a folder link
# to an empty folder, names Windows refuses, and a folder swapped for a link while the real
# program's sweep is busy with a large sibling.
#
# Usage: tests/wine/e2e-links.sh build/mingw64
source "$(dirname "$0")/lib.sh"
wine_driver "${1:-build/mingw64}"
wine_scratch_begin

C="$WINEPREFIX/drive_c"

echo "Links to a sibling differing in letter case, a folder link, names Windows refuses"
mkdir -p "$C/plain/sub" "$C/PLAIN/empty"
echo canary >"$C/PLAIN/case.txt"
echo canary >"$C/PLAIN/folder-case.txt"
ln -s ../PLAIN/case.txt "$C/plain/case.txt"
ln -s ../../PLAIN/folder-case.txt "$C/plain/sub/folder-case.txt"
ln -s ../PLAIN/empty "$C/plain/empty-link"
echo junk >"$C/plain/junk.tmp"
echo junk >"$C/plain/sub/junk.tmp"
# Names another system made that Windows cannot open.
for odd in 'q?' 'gt>' 'pi|pe'; do echo odd >"$C/plain/$odd"; done

e2e run --temp 'C:\plain' 6 >"$WINE_SCRATCH/run.out"
section List1 "$WINE_SCRATCH/run.out" >"$WINE_SCRATCH/log"
expect_lines "run log: the two junk files only" "$WINE_SCRATCH/log" <<'LOG'
Fichiers temporaire  : Nettoyage ...
C:\plain\junk.tmp
C:\plain\sub\junk.tmp

LOG
expect_present "a link to a sibling differing in letter case leaves its target" "$C/PLAIN/case.txt"
expect_present "a link in a subfolder leaves its target" "$C/PLAIN/folder-case.txt"
expect_present "the empty folder behind a folder link is not removed" "$C/PLAIN/empty"
for odd in 'q?' 'gt>' 'pi|pe'; do
    expect_present "a name Windows refuses is not deleted: $odd" "$C/plain/$odd"
done

echo "Links into look-alike siblings named with a trailing dot or blank"
# Wine names "sweep.\x" and "sweep \x" like "sweep\x": beside such look-alikes nothing in the
# folder can be told from them, so nothing in it is changed.
mkdir -p "$C/sweep" "$C/sweep./empty" "$C/sweep "
echo canary >"$C/sweep./dot.txt"
echo canary >"$C/sweep /blank.txt"
ln -s ../sweep./dot.txt "$C/sweep/dot.txt"
ln -s "../sweep /blank.txt" "$C/sweep/blank.txt"
ln -s ../sweep./empty "$C/sweep/empty"
echo junk >"$C/sweep/junk.tmp"
e2e run --temp 'C:\sweep' 6 >"$WINE_SCRATCH/run2.out"
section List1 "$WINE_SCRATCH/run2.out" >"$WINE_SCRATCH/log2"
expect_lines "run log: nothing deleted" "$WINE_SCRATCH/log2" <<'LOG'
Fichiers temporaire  : Nettoyage ...

LOG
expect_present "a link into a folder named with a trailing dot leaves its target" "$C/sweep./dot.txt"
expect_present "a link into a folder named with a trailing blank leaves its target" "$C/sweep /blank.txt"
expect_present "the empty folder behind a folder link with a trailing dot stays" "$C/sweep./empty"

echo "Saving the run log"
mkdir -p "$C/logs" "$C/elsewhere"
echo precious >"$C/precious.txt"
echo old >"$C/linked.txt"
ln -s ../linked.txt "$C/logs/sym.txt"
ln -s ../elsewhere "$C/logs/to-folder.txt"
ln -s ../missing.txt "$C/logs/dangling.txt"
ln "$C/precious.txt" "$C/logs/hard.txt"
echo old >"$C/logs/ro.txt"
chmod a-w "$C/logs/ro.txt"
long=$(printf 'n%.0s' $(seq 248)).txt # 252 characters
# What a save killed half way leaves: our name pattern, empty or older than the program.
: >"$C/logs/~vp0badf00d.tmp"
echo half >"$C/logs/~vp00c0ffee.tmp" && touch -d '2001-01-01' "$C/logs/~vp00c0ffee.tmp"
echo mine >"$C/logs/~vpnotours.tmp"
saved() { [[ "$(e2e save "$1" "$2")" == "$3" ]]; }
check() { if "$@"; then pass "$name"; else fail "$name"; fi; }
name="a symbolic link to a file saves into the file it leads to" check saved 'C:\logs\sym.txt' new saved
name="a symbolic link to a folder is refused" check saved 'C:\logs\to-folder.txt' new refused
name="a symbolic link leading nowhere is refused" check saved 'C:\logs\dangling.txt' new refused
name="a read-only file is refused" check saved 'C:\logs\ro.txt' new refused
name="a folder is refused" check saved 'C:\logs' new refused
name="a hard link is replaced by a file of its own" check saved 'C:\logs\hard.txt' new saved
name="a name of 252 characters is saved" check saved "C:\\logs\\$long" log saved
name="the linked file holds the new text, the link stays a link" check \
    test "$(cat "$C/linked.txt")" == new -a -L "$C/logs/sym.txt"
name="nothing was written where the refused links lead" check \
    test -z "$(ls "$C/elsewhere")" -a ! -e "$C/missing.txt"
name="the file behind the hard link keeps its content" check test "$(cat "$C/precious.txt")" == precious
name="the read-only file keeps its content" check test "$(cat "$C/logs/ro.txt")" == old
name="the saved files hold the new text" check \
    test "$(cat "$C/logs/hard.txt")" == new -a "$(cat "$C/logs/$long")" == log
name="a half-written save's files are gone, a file of another name stays" check \
    test "$(find "$C/logs" -name '~vp*.tmp' | xargs -r -n1 basename)" == "~vpnotours.tmp"

# The folder named in the dialog becomes a link to another folder before the save.
mkdir -p "$WINE_SCRATCH/swapped-in"
mv "$C/logs" "$C/logs-old"
ln -s "$WINE_SCRATCH/swapped-in" "$C/logs"
name="a folder swapped for a link receives nothing" check saved 'C:\logs\run.txt' new refused
name="and nothing is written where it leads" check test -z "$(ls "$WINE_SCRATCH/swapped-in")"
rm "$C/logs"
mv "$C/logs-old" "$C/logs"

# Where no new file can be made (a full disk; here a folder the user may not write to), the
# old log stays whole: it is never rewritten in place.
if ((EUID != 0)); then
    echo old-log >"$C/logs/kept.txt"
    chmod a-w "$C/logs"
    name="no new file can be made: the save fails" check saved 'C:\logs\kept.txt' a-new-longer-log refused
    name="and the old log stays whole" check test "$(cat "$C/logs/kept.txt")" == old-log
    chmod u+w "$C/logs"
fi

echo "A folder swapped for a link while the real sweep is busy with a large sibling"
mkdir -p "$C/race/aaa" "$C/race/zzz" "$WINE_SCRATCH/docs/inner"
for i in $(seq 3000); do : >"$C/race/aaa/f$i.tmp"; done
echo z >"$C/race/zzz/z.tmp"
echo letter >"$WINE_SCRATCH/docs/letter.doc"
echo notes >"$WINE_SCRATCH/docs/inner/notes.txt"
(
    # As soon as the sweep has started on aaa, zzz becomes a link to the user's documents.
    while (($(ls "$C/race/aaa" | wc -l) > 2900)); do sleep 0.01; done
    mv "$C/race/zzz" "$C/race/zzz-old"
    ln -s "$WINE_SCRATCH/docs" "$C/race/zzz"
    touch "$WINE_SCRATCH/swapped"
) &
swapper=$!
e2e run --temp 'C:\race' 6 >"$WINE_SCRATCH/race.out"
wait "$swapper" || true
if [[ -e "$WINE_SCRATCH/swapped" ]]; then pass "the swap happened during the sweep"; else fail "the swap happened during the sweep"; fi
expect_present "the documents behind the swapped-in link survive" "$WINE_SCRATCH/docs/letter.doc"
expect_present "and the folder inside them" "$WINE_SCRATCH/docs/inner/notes.txt"
if grep -q 'letter.doc\|notes.txt' "$WINE_SCRATCH/race.out"; then fail "nothing of the documents is logged"; else pass "nothing of the documents is logged"; fi

wine_suite_end
