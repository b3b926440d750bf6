#!/usr/bin/env bash
# End to end under Wine: the temporary-files target sweeps a real folder tree with the Windows
# build. What only a real file system shows: a file held open by another process, read-only,
# hidden and system files, folder and file links leading out of the tree, names outside
# Windows-1252, names ending in a dot or a blank, and paths past 260 characters.
#
# Usage: tests/wine/e2e-sweep.sh build/mingw64
source "$(dirname "$0")/lib.sh"
wine_driver "${1:-build/mingw64}"
wine_scratch_begin

C="$WINEPREFIX/drive_c"
# Folder names that make a path far longer than 260 characters.
long=""
for i in 1 2 3 4 5 6 7 8 9 10; do long+="\\a-folder-name-of-thirty-chars-$i"; done
deep="C:\\sweep\\deep$long\\file.txt"
foreign="Ünïcödé-日本"

cat >"$WINE_SCRATCH/seed.txt" <<SEED
file	C:\\sweep\\a.txt
file	C:\\sweep\\b-readonly.txt	r
file	C:\\sweep\\c-held.txt
file	C:\\sweep\\d.txt
file	C:\\sweep\\hidden.txt	h
file	C:\\sweep\\system.txt	s
file	C:\\sweep\\Zoë.txt
file	C:\\sweep\\keep\\x.txt
file	C:\\sweep\\keep\\h.txt	h
file	C:\\sweep\\keep\\s.dat	rs
file	C:\\sweep\\nest\\g.txt
file	C:\\sweep\\nest\\l1\\l2\\f.txt	r
dir	C:\\sweep\\nest\\empty
file	C:\\sweep\\$foreign\\名前.txt
file	$deep
SEED
e2e seed "Z:$WINE_SCRATCH/seed.txt"

# Names that the Win32 path rules would change (a trailing dot or blank is cut from a plain
# path): made on the host side, where they are ordinary names.
echo x >"$C/sweep/dot."
echo x >"$C/sweep/blank "

# Links that lead out of the tree, to canaries in the scratch folder.
mkdir -p "$WINE_SCRATCH/canary/inner"
echo canary >"$WINE_SCRATCH/canary/inner/precious.txt"
echo canary >"$WINE_SCRATCH/canary-file.txt"
ln -s "$WINE_SCRATCH/canary" "$C/sweep/link-to-folder"
ln -s "$WINE_SCRATCH/canary-file.txt" "$C/sweep/link-to-file.txt"

# Another process holds c-held.txt open without sharing while the run sweeps.
wine "$E2E" hold 'C:\sweep\c-held.txt' 'C:\release' >"$WINE_SCRATCH/hold.out" 2>/dev/null &
holder=$!
for _ in $(seq 100); do grep -q held "$WINE_SCRATCH/hold.out" 2>/dev/null && break; sleep 0.1; done

e2e run --temp 'C:\sweep\' 6 >"$WINE_SCRATCH/run.out"
touch "$C/release"
wait "$holder" || true

echo "Temp on a real tree"
section List1 "$WINE_SCRATCH/run.out" >"$WINE_SCRATCH/log"
expect_lines "run log: every deleted file under its true name, nothing else" "$WINE_SCRATCH/log" <<LOG
Fichiers temporaire  : Nettoyage ...
C:\\sweep\\a.txt
C:\\sweep\\b-readonly.txt
C:\\sweep\\blank 
C:\\sweep\\d.txt
C:\\sweep\\dot.
C:\\sweep\\Zoë.txt
$deep
C:\\sweep\\keep\\x.txt
C:\\sweep\\nest\\g.txt
C:\\sweep\\nest\\l1\\l2\\f.txt
C:\\sweep\\$foreign\\名前.txt

LOG
expect_present "the file held open by another process stays" "$C/sweep/c-held.txt"
expect_absent "the read-only file went" "$C/sweep/b-readonly.txt"
expect_absent "a name ending in a dot went" "$C/sweep/dot."
expect_absent "a name ending in a blank went" "$C/sweep/blank "
expect_present "a hidden file stays" "$C/sweep/hidden.txt"
expect_present "a system file stays" "$C/sweep/system.txt"
expect_present "hidden and system files keep their folder" "$C/sweep/keep/h.txt"
expect_present "a read-only system file stays" "$C/sweep/keep/s.dat"
expect_absent "an emptied tree is removed" "$C/sweep/nest"
expect_absent "the tree past 260 characters is removed" "$C/sweep/deep"
expect_absent "the folder with a foreign name is removed" "$C/sweep/$foreign"
expect_present "the swept folder itself stays" "$C/sweep"
expect_present "the folder link stays" "$C/sweep/link-to-folder"
expect_present "the folder behind the link is untouched" "$WINE_SCRATCH/canary/inner/precious.txt"
expect_present "the file link stays" "$C/sweep/link-to-file.txt"
expect_present "the file behind the file link is untouched" "$WINE_SCRATCH/canary-file.txt"

echo "A second run sweeps what is left and logs only that"
rm -f "$C/release"
e2e run --temp 'C:\sweep' 6 >"$WINE_SCRATCH/run2.out"
section List1 "$WINE_SCRATCH/run2.out" >"$WINE_SCRATCH/log2"
expect_lines "run log: only the file no longer held, path without the trailing backslash" "$WINE_SCRATCH/log2" <<'LOG'
Fichiers temporaire  : Nettoyage ...
C:\sweep\c-held.txt

LOG

echo "A temporary folder that does not exist"
e2e run --temp 'C:\nowhere\' 6 >"$WINE_SCRATCH/run3.out"
section List1 "$WINE_SCRATCH/run3.out" >"$WINE_SCRATCH/log3"
expect_lines "run log: the catalogue line and the closing line only" "$WINE_SCRATCH/log3" <<'LOG'
Fichiers temporaire  : Nettoyage ...

LOG

echo "Names the host holds that are no UTF-8"
# Wine shows such a byte as U+FFFD: whatever it makes of the name, a logged file is gone and a
# file still there is not logged.
mkdir -p "$C/odd"
echo x >"$C/odd/"$'bad\xff.txt'
echo x >"$C/odd/"$'\xe9t\xe9.txt'
echo x >"$C/odd/plain.txt"
for locale in C.UTF-8 C; do
    LC_ALL=$locale e2e run --temp 'C:\odd' 6 >"$WINE_SCRATCH/run-odd.out"
    section List1 "$WINE_SCRATCH/run-odd.out" | sed '1d;$d' >"$WINE_SCRATCH/log-odd"
    left=$(ls "$C/odd" | wc -l)
    logged=$(grep -c . "$WINE_SCRATCH/log-odd" || true)
    # Three files: each one either logged and gone, or left and not logged.
    if ((logged + left == 3)); then
        pass "LC_ALL=$locale: $logged logged and gone, $left left and not logged"
    else
        fail "LC_ALL=$locale: $logged logged, $left left of 3 files"
        sed 's/^/        /' "$WINE_SCRATCH/log-odd"
        ls "$C/odd" | sed 's/^/        left: /'
    fi
    echo x >"$C/odd/"$'bad\xff.txt'
    echo x >"$C/odd/"$'\xe9t\xe9.txt'
    echo x >"$C/odd/plain.txt"
done

echo "A file held open by another process that shares its deletion"
mkdir -p "$C/shared"
echo x >"$C/shared/held.txt"
echo x >"$C/shared/free.txt"
wine "$E2E" hold-shared 'C:\shared\held.txt' 'C:\release-shared' >"$WINE_SCRATCH/hold2.out" 2>/dev/null &
holder=$!
for _ in $(seq 100); do grep -q held "$WINE_SCRATCH/hold2.out" 2>/dev/null && break; sleep 0.1; done
e2e run --temp 'C:\shared' 6 >"$WINE_SCRATCH/run-shared.out"
section List1 "$WINE_SCRATCH/run-shared.out" >"$WINE_SCRATCH/log-shared"
expect_lines "run log: only the file that is gone" "$WINE_SCRATCH/log-shared" <<'LOG'
Fichiers temporaire  : Nettoyage ...
C:\shared\free.txt

LOG
expect_present "the held file is still there while held" "$C/shared/held.txt"
touch "$C/release-shared"
wait "$holder" || true

echo "Protected places: a drive's root, the profile, the folder above Temp, no TMP or TEMP"
user=${USER:-$(id -un)} # Wine names the profile after the Unix user
# Drive Y: is a scratch canary folder, never a real root.
mkdir -p "$WINE_SCRATCH/drive-y/Documents"
echo boot >"$WINE_SCRATCH/drive-y/boot.ini"
echo thesis >"$WINE_SCRATCH/drive-y/Documents/thesis.doc"
ln -s "$WINE_SCRATCH/drive-y" "$WINEPREFIX/dosdevices/y:"
echo contact >"$C/users/$user/contacts.txt"
echo local >"$C/users/$user/AppData/Local/settings.ini"
profile="C:\\users\\$user"
for temp in 'Y:\' 'Y:\Documents\..' "$profile" "$profile\\AppData\\Local\\Temp\\.." 'C:\windows' 'C:\'; do
    e2e run --temp "$temp" 6 >"$WINE_SCRATCH/run-protected.out"
    section List1 "$WINE_SCRATCH/run-protected.out" >"$WINE_SCRATCH/log-protected"
    expect_lines "TMP=$temp: nothing deleted, the routine's own lines only" "$WINE_SCRATCH/log-protected" <<'LOG'
Fichiers temporaire  : Nettoyage ...

LOG
done
e2e run --unset TMP --unset TEMP 6 >"$WINE_SCRATCH/run-unset.out"
section List1 "$WINE_SCRATCH/run-unset.out" >"$WINE_SCRATCH/log-unset"
expect_lines "neither TMP nor TEMP: no fallback on the profile or the Windows folder" "$WINE_SCRATCH/log-unset" <<'LOG'
Fichiers temporaire  : Nettoyage ...

LOG
expect_present "the drive's files stay" "$WINE_SCRATCH/drive-y/boot.ini"
expect_present "and the documents on it" "$WINE_SCRATCH/drive-y/Documents/thesis.doc"
expect_present "the profile's files stay" "$C/users/$user/contacts.txt"
expect_present "AppData's files stay" "$C/users/$user/AppData/Local/settings.ini"
expect_present "the Windows folder's files stay" "$C/windows/win.ini"

wine_suite_end
