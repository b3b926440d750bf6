#!/usr/bin/env bash
# End to end under Wine: the console program vexoma.exe previews, then cleans, a seeded
# profile on the real Win32 services. The preview changes nothing and prints the lines the
# clean prints; a file held open by another process is reported by the preview as one that
# would stay; the exit statuses say so; --log writes the bytes the window's save writes; a
# wrong command deletes nothing.
#
# Usage: tests/wine/e2e-console.sh build/mingw64
source "$(dirname "$0")/lib.sh"
build=${1:-build/mingw64}
wine_driver "$build"
VEXOMA=$(cd "$build" && pwd)/src/app/win32/vexoma.exe
[[ -f "$VEXOMA" ]] || { echo "missing $VEXOMA: build the mingw64 preset first" >&2; exit 1; }
wine_scratch_begin

C="$WINEPREFIX/drive_c"
# The temporary folder comes from the user's environment in the registry, read when a program
# starts.
cat >"$WINE_SCRATCH/seed.txt" <<'SEED'
sz	Environment	TMP	C:\cons\temp
sz	Environment	TEMP	C:\cons\temp
file	C:\cons\temp\a.txt
file	C:\cons\temp\b-readonly.txt	r
file	C:\cons\temp\hidden.txt	h
file	C:\cons\temp\locked.txt
file	C:\cons\temp\Zoë.txt
file	C:\cons\temp\setup\c.log
file	C:\cons\temp\setup\deeper\d.tmp
dir	C:\cons\temp\empty
dir	C:\logs
sz	Software\WinRAR\ArcHistory	0	C:\Mes documents\été.rar
sz	Software\WinRAR\ArcHistory	3	C:\Mes documents\notes.zip
sz	Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU	a	notepad\1
sz	Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU	c	calc\1
sz	Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU	MRUList	ca
SEED
e2e seed "Z:$WINE_SCRATCH/seed.txt"
echo "some bytes" >"$C/cons/temp/a.txt"
# One file in the recycle bin (Wine's is the scratch XDG trash): 16 bytes.
trash="$XDG_DATA_HOME/Trash"
mkdir -p "$trash/files" "$trash/info"
echo "an old draft..." >"$trash/files/brouillon.txt"
printf '[Trash Info]\nPath=/tmp/brouillon.txt\nDeletionDate=2026-01-01T10:00:00\n' >"$trash/info/brouillon.txt.trashinfo"

# Everything the runs may change: the tree with sizes and modes, and the registry lists.
state() {
    (cd "$C/cons" && find . -printf '%p %s %M\n' | sort)
    (cd "$trash" && find . -printf '%p %s\n' | sort)
    e2e reg-dump 'Software\WinRAR\ArcHistory' | sort
    e2e reg-dump 'Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU' | sort
}
# vx NAME ARGS...: runs vexoma.exe, keeps its output in NAME.out and NAME.err, its status in
# NAME.status.
vx() {
    local name=$1
    shift
    local status=0
    wine "$VEXOMA" "$@" >"$WINE_SCRATCH/$name.out" 2>"$WINE_SCRATCH/$name.err" || status=$?
    echo "$status" >"$WINE_SCRATCH/$name.status"
}
expect_status() {
    local got
    got=$(cat "$WINE_SCRATCH/$2.status")
    if [[ $got == "$3" ]]; then pass "$1"; else fail "$1 (status $got, expected $3)" || true; fi
}
# The run-log part of a run's output: every line before the summary's heading.
run_log() { sed -n '/^\(Aperçu : \|Bilan du nettoyage :\)/q;p' "$WINE_SCRATCH/$1.out"; }
expect_same() {
    if cmp -s "$2" "$3"; then pass "$1"; else
        if fail "$1"; then diff -u "$2" "$3" | sed 's/^/        /' | head -40; fi
    fi
}
# The bytes the window's save writes for a run log: the header, an empty line, every line in
# Windows-1252 (the prefix's ANSI code page), each ended by CR LF.
window_save_bytes() {
    printf 'Brumwick - Version 1.1\r\n\r\n'
    sed 's/$/\r/' "$1" | iconv -f UTF-8 -t WINDOWS-1252
}

state >"$WINE_SCRATCH/state.before"

# Another process holds locked.txt open without sharing while the preview and the clean run.
wine "$E2E" hold 'C:\cons\temp\locked.txt' 'C:\release' >"$WINE_SCRATCH/hold.out" 2>/dev/null &
holder=$!
for _ in $(seq 100); do grep -q held "$WINE_SCRATCH/hold.out" 2>/dev/null && break; sleep 0.1; done

echo "A wrong command"
vx wrong --nettoyer 6,25
expect_status "a target outside the catalogue: status 2" wrong 2
if grep -q "Rien n'a été effacé" "$WINE_SCRATCH/wrong.err"; then pass "it says that nothing was deleted"; else fail "it says that nothing was deleted" || true; fi
vx unknown --nettoyer 6 --forcer
expect_status "an unknown option: status 2" unknown 2
state >"$WINE_SCRATCH/state.wrong"
expect_same "nothing changed" "$WINE_SCRATCH/state.before" "$WINE_SCRATCH/state.wrong"

echo "Preview"
vx preview --apercu 6,8,10,19 --log 'C:\logs\preview.txt'
expect_status "a file would stay: status 1" preview 1
state >"$WINE_SCRATCH/state.preview"
expect_same "the preview changed nothing" "$WINE_SCRATCH/state.before" "$WINE_SCRATCH/state.preview"
run_log preview >"$WINE_SCRATCH/preview.log"
expect_lines "the preview's run log" "$WINE_SCRATCH/preview.log" <<'LOG'
Fichiers temporaire  : Nettoyage ...
C:\cons\temp\a.txt
C:\cons\temp\b-readonly.txt
C:\cons\temp\Zoë.txt
C:\cons\temp\setup\c.log
C:\cons\temp\setup\deeper\d.tmp

Historique de Exécuter  : Nettoyage ...
notepad\1
calc\1

Corbeille  : Nettoyage ...

WinRar  : Nettoyage ...
C:\Mes documents\été.rar
C:\Mes documents\notes.zip

LOG
if grep -q '^  Resteraient en place      : 1 fichier(s), 0 dossier(s)$' "$WINE_SCRATCH/preview.out"; then
    pass "the locked file is reported as one that would stay"
else
    fail "the locked file is reported as one that would stay" && cat "$WINE_SCRATCH/preview.out"
fi
vx json --apercu --json 6
if grep -q '"keptFiles": 1' "$WINE_SCRATCH/json.out" && grep -q '"status": 1' "$WINE_SCRATCH/json.out"; then
    pass "the JSON preview counts the locked file as kept"
else
    fail "the JSON preview counts the locked file as kept" && cat "$WINE_SCRATCH/json.out"
fi

echo "Clean"
vx clean --nettoyer 6,8,10,19 --log 'C:\logs\clean.txt'
expect_status "the locked file stayed: status 1" clean 1
run_log clean >"$WINE_SCRATCH/clean.log"
expect_same "the clean's lines are the preview's" "$WINE_SCRATCH/preview.log" "$WINE_SCRATCH/clean.log"
grep -E '^  (Fichiers|Dossiers|Valeurs du registre|Corbeille) ' "$WINE_SCRATCH/preview.out" >"$WINE_SCRATCH/preview.sizes"
grep -E '^  (Fichiers|Dossiers|Valeurs du registre|Corbeille) ' "$WINE_SCRATCH/clean.out" >"$WINE_SCRATCH/clean.sizes"
expect_same "the clean frees the sizes the preview announced" "$WINE_SCRATCH/preview.sizes" "$WINE_SCRATCH/clean.sizes"
expect_lines "sizes: files and bytes, folders, registry values, the recycle bin" "$WINE_SCRATCH/clean.sizes" <<'SIZES'
  Fichiers                  : 5, 15 octets
  Dossiers                  : 3
  Valeurs du registre       : 5
  Corbeille                 : 1 élément(s), 16 octets
SIZES
expect_absent "the recycle bin was emptied" "$trash/files/brouillon.txt"
expect_present "the locked file stays" "$C/cons/temp/locked.txt"
expect_present "the hidden file stays" "$C/cons/temp/hidden.txt"
expect_absent "the read-only file went" "$C/cons/temp/b-readonly.txt"
expect_absent "the emptied tree went" "$C/cons/temp/setup"
window_save_bytes "$WINE_SCRATCH/clean.log" >"$WINE_SCRATCH/expected.txt"
expect_same "--log holds the bytes the window saves" "$WINE_SCRATCH/expected.txt" "$C/logs/clean.txt"
expect_same "the preview's --log holds the same bytes" "$C/logs/clean.txt" "$C/logs/preview.txt"

touch "$C/release"
wait "$holder" || true

echo "Once the file is let go"
vx again --nettoyer 6
expect_status "everything went: status 0" again 0
run_log again >"$WINE_SCRATCH/again.log"
expect_lines "the run log names the file let go" "$WINE_SCRATCH/again.log" <<'LOG'
Fichiers temporaire  : Nettoyage ...
C:\cons\temp\locked.txt

LOG

echo "A temporary folder at a drive's root"
# Drive Y: is a scratch canary folder, never a real root.
mkdir -p "$WINE_SCRATCH/drive-y/Documents"
echo boot >"$WINE_SCRATCH/drive-y/boot.ini"
echo thesis >"$WINE_SCRATCH/drive-y/Documents/thesis.doc"
ln -s "$WINE_SCRATCH/drive-y" "$WINEPREFIX/dosdevices/y:"
printf 'sz\tEnvironment\tTMP\tY:\\\nsz\tEnvironment\tTEMP\tY:\\\n' >"$WINE_SCRATCH/root.txt"
e2e seed "Z:$WINE_SCRATCH/root.txt"
for mode in apercu nettoyer; do
    vx root --$mode 6
    expect_status "--$mode: left untouched, status 1" root 1
    if grep -qF "  Laissé intact             : Y:\ (emplacement protégé, racine d'un lecteur)" \
        "$WINE_SCRATCH/root.out"; then
        pass "--$mode reports the refusal with its reason"
    else
        fail "--$mode reports the refusal with its reason" && cat "$WINE_SCRATCH/root.out"
    fi
done
expect_present "the drive's files stay" "$WINE_SCRATCH/drive-y/boot.ini"
expect_present "and the documents on it" "$WINE_SCRATCH/drive-y/Documents/thesis.doc"

wine_suite_end
