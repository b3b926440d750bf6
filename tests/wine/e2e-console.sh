#!/usr/bin/env bash
# End to end under Wine: the console program vexoma.exe previews, then cleans, a seeded
# profile on the real Win32 services. A preview changes nothing in the whole prefix (files,
# their sizes and attributes, HKEY_CURRENT_USER), on a new prefix as on a seeded one, and
# prints the lines the clean prints; a file held open by another process and a folder in the
# recycle bin are reported by the preview as what would stay; the exit statuses say so; --log
# writes the bytes the window's save writes, and a destination it cannot write is refused
# before anything is deleted; a wrong command deletes nothing; what it prints to a pipe or a
# file is checked byte by byte, in the console's code page or in UTF-8; the JSON reads with a
# JSON parser.
#
# Usage: tests/wine/e2e-console.sh build/mingw64
source "$(dirname "$0")/lib.sh"
build=${1:-build/mingw64}
wine_driver "$build"
VEXOMA=$(cd "$build" && pwd)/src/app/win32/vexoma.exe
[[ -f "$VEXOMA" ]] || { echo "missing $VEXOMA: build the mingw64 preset first" >&2; exit 1; }
wine_scratch_begin

C="$WINEPREFIX/drive_c"
echo "A preview on a new prefix"
whole_prefix >"$WINE_SCRATCH/new.before"
vx fresh --apercu complet
expect_status "nothing would stay: status 0" fresh 0
whole_prefix >"$WINE_SCRATCH/new.after"
expect_same "the whole prefix is as it was (no Internet cache set up)" \
    "$WINE_SCRATCH/new.before" "$WINE_SCRATCH/new.after"
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
dir	C:\logs\sub
file	C:\logs\old.txt	r
sz	Software\WinRAR\ArcHistory	0	C:\Mes documents\été.rar
sz	Software\WinRAR\ArcHistory	3	C:\Mes documents\notes.zip
sz	Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU	a	notepad\1
sz	Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU	c	calc\1
sz	Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU	MRUList	ca
SEED
e2e seed "Z:$WINE_SCRATCH/seed.txt"
echo "some bytes" >"$C/cons/temp/a.txt"
# In the recycle bin (Wine's is the scratch XDG trash): a file of 16 bytes, and a folder, which
# Wine's emptying leaves where it is.
trash="$XDG_DATA_HOME/Trash"
mkdir -p "$trash/files/dossier" "$trash/info"
echo "an old draft..." >"$trash/files/brouillon.txt"
echo "inside" >"$trash/files/dossier/dedans.txt"
printf '[Trash Info]\nPath=/tmp/brouillon.txt\nDeletionDate=2026-01-01T10:00:00\n' >"$trash/info/brouillon.txt.trashinfo"
printf '[Trash Info]\nPath=/tmp/dossier\nDeletionDate=2026-01-01T10:00:00\n' >"$trash/info/dossier.trashinfo"

# Everything the runs may change: the tree with sizes and modes, and the registry lists.
state() {
    (cd "$C/cons" && find . -printf '%p %s %M\n' | sort)
    (cd "$trash" && find . -printf '%p %s\n' | sort)
    e2e reg-dump 'Software\WinRAR\ArcHistory' | sort
    e2e reg-dump 'Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU' | sort
}
# The bytes the window's save writes for a run log: the header, an empty line, every line in
# Windows-1252 (the prefix's ANSI code page), each ended by CR LF.
window_save_bytes() {
    printf 'Brumwick - Version 1.1\r\n\r\n'
    sed 's/$/\r/' "$1" | iconv -f UTF-8 -t WINDOWS-1252
}

# A folder the user may read but not write to: no log can be made in it.
mkdir -p "$C/logs/closed" && chmod 0555 "$C/logs/closed"
state >"$WINE_SCRATCH/state.before"

# Another process holds locked.txt open without sharing while the preview and the clean run.
wine "$E2E" hold 'C:\cons\temp\locked.txt' 'C:\release' >"$WINE_SCRATCH/hold.out" 2>/dev/null &
holder=$!
for _ in $(seq 100); do grep -q held "$WINE_SCRATCH/hold.out" 2>/dev/null && break; sleep 0.1; done

echo "A preview on the seeded prefix"
whole_prefix >"$WINE_SCRATCH/seeded.before"
vx seeded --apercu complet
whole_prefix >"$WINE_SCRATCH/seeded.after"
expect_same "the whole prefix is as it was" "$WINE_SCRATCH/seeded.before" "$WINE_SCRATCH/seeded.after"

echo "Wrong commands, and destinations --log cannot write to: refused before the run"
wrong() { # wrong NAME WHY ARGS...: status 2, the reason and "nothing deleted" said
    local name=$1 why=$2
    shift 2
    vx "$name" "$@"
    expect_status "$name: status 2" "$name" 2
    expect_grep "$name: says why" "$name.err" "$why"
    expect_grep "$name: says that nothing was deleted" "$name.err" "Rien n'a été effacé"
}
wrong no-argument "Utilisation :"
wrong outside "cible inconnue : « 25 »" --nettoyer 6,25
wrong unknown "option inconnue : « --forcer »" --nettoyer 6 --forcer
wrong windows-switch "option inconnue : « /AUTO »" /NETTOYER 6 /AUTO
wrong log-folder "est un dossier" --nettoyer 6 --log 'C:\logs\sub'
wrong log-read-only "est en lecture seule" --nettoyer 6 --log 'C:\logs\old.txt'
wrong log-invalid "nom de fichier journal invalide" --nettoyer 6 --log 'C:\logs\a?b.txt'
wrong log-device "périphérique" --nettoyer 6 --log NUL
wrong log-missing "le dossier du journal n'existe pas" --nettoyer 6 --log 'C:\nowhere\x.txt'
if [[ $(id -u) != 0 ]]; then # root writes anywhere
    wrong log-no-rights "aucun fichier ne peut être créé" --nettoyer 6 --log 'C:\logs\closed\x.txt'
fi
state >"$WINE_SCRATCH/state.wrong"
expect_same "nothing changed" "$WINE_SCRATCH/state.before" "$WINE_SCRATCH/state.wrong"

echo "What it prints, byte by byte"
vx list --liste
expect_status "--liste: status 0" list 0
hex() { od -An -tx1 | tr -d ' \n'; }
# "tapées récemment" and the line's end.
if head -n1 "$WINE_SCRATCH/list.raw" | hex | grep -q '74617082657320728263656d6d656e740d0a$'; then
    pass "to a file: the console's code page (é is 0x82 in 437) and CR LF"
else
    fail "to a file: the console's code page (é is 0x82 in 437) and CR LF" && head -n1 "$WINE_SCRATCH/list.raw" | od -c | head
fi
if wine "$VEXOMA" --liste 2>/dev/null | head -n1 | hex | grep -q '74617082657320728263656d6d656e740d0a$'; then
    pass "to a pipe: the same"
else
    fail "to a pipe: the same"
fi
if [[ $(wine "$VEXOMA" --liste --utf8 2>/dev/null | head -c 3 | hex) == 202031 ]]; then
    pass "--utf8 to a pipe: UTF-8 without a byte-order mark"
else
    fail "--utf8 to a pipe: UTF-8 without a byte-order mark"
fi
if [[ $(grep -c $'\r$' "$WINE_SCRATCH/list.raw") == $(wc -l <"$WINE_SCRATCH/list.raw") ]]; then
    pass "every line ends in CR LF"
else
    fail "every line ends in CR LF"
fi
wine "$VEXOMA" --LISTE --utf8 >"$WINE_SCRATCH/list-utf8.txt" 2>/dev/null
if head -n1 "$WINE_SCRATCH/list-utf8.txt" | hex |
    grep -q '^efbbbf2020312020616472657373657320.*746170c3a965732072c3a963656d6d656e740d0a$'; then
    pass "--utf8 into a file: a byte-order mark, then UTF-8"
else
    fail "--utf8 into a file: a byte-order mark, then UTF-8" && head -c 64 "$WINE_SCRATCH/list-utf8.txt" | od -c
fi
vx help /?
expect_status "/?: status 0" help 0
expect_grep "/? prints the help" help.out "Codes de sortie"
vx version --VERSION
expect_grep "--VERSION (any case)" version.out "vexoma "

echo "Preview"
vx preview --apercu temp,8,Corbeille,19 --log 'C:\logs\preview.txt'
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
expect_grep "the locked file, the hidden file and the folder in the bin would stay" preview.out \
    "  Resteraient en place      : 2 fichier(s), 0 dossier(s), 1 élément(s) dans la corbeille"
expect_grep "what would stay is named, item by item, with its reason" preview.out \
    '    C:\cons\temp\locked.txt (fichier, utilisé par un autre programme)'
vx json --apercu --json 6
if grep -q '"keptFiles": 2' "$WINE_SCRATCH/json.out" && grep -q '"status": 1' "$WINE_SCRATCH/json.out" &&
    grep -qF '"path": "C:\\cons\\temp\\locked.txt", "bytes": 1, "outcome": "kept", "reason": "inUse"}' "$WINE_SCRATCH/json.out" &&
    grep -qF '"path": "C:\\cons\\temp\\hidden.txt", "bytes": 1, "outcome": "kept", "reason": "hiddenOrSystem"}' "$WINE_SCRATCH/json.out"; then
    pass "the JSON preview counts the locked file as kept and names it with its reason"
else
    fail "the JSON preview counts the locked file as kept and names it with its reason" && cat "$WINE_SCRATCH/json.out"
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
expect_grep "the locked file, the hidden file and the folder in the bin stayed" clean.out \
    "  Restés en place           : 2 fichier(s), 0 dossier(s), 1 élément(s) dans la corbeille"
expect_absent "the recycle bin was emptied of its file" "$trash/files/brouillon.txt"
expect_present "Wine's emptying left the folder" "$trash/files/dossier"
expect_present "the locked file stays" "$C/cons/temp/locked.txt"
expect_present "the hidden file stays" "$C/cons/temp/hidden.txt"
expect_absent "the read-only file went" "$C/cons/temp/b-readonly.txt"
expect_absent "the emptied tree went" "$C/cons/temp/setup"
window_save_bytes "$WINE_SCRATCH/clean.log" >"$WINE_SCRATCH/expected.txt"
expect_same "--log holds the bytes the window saves" "$WINE_SCRATCH/expected.txt" "$C/logs/clean.txt"
expect_same "the preview's --log holds the same bytes" "$C/logs/clean.txt" "$C/logs/preview.txt"

touch "$C/release"
wait "$holder" || true

echo "JSON for scripts"
cat >"$WINE_SCRATCH/seed2.txt" <<'SEED'
file	C:\cons\temp\é.txt
file	C:\cons\temp\日本.txt
file	C:\cons\temp\😀.tmp
sz	Software\WinRAR\ArcHistory	0	C:\Ωmega\Ψ.rar
SEED
e2e seed "Z:$WINE_SCRATCH/seed2.txt"
vx json-all --apercu --json temp,winrar
python3 - "$WINE_SCRATCH/json-all.raw" >"$WINE_SCRATCH/json-check.out" 2>&1 <<'PY' && pass "the JSON parses and holds the Unicode names exactly" || { fail "the JSON parses and holds the Unicode names exactly" && sed 's/^/        /' "$WINE_SCRATCH/json-check.out"; }
import json, sys
raw = open(sys.argv[1], "rb").read()
assert all(b < 0x80 for b in raw), "non-ASCII bytes in the JSON"
doc = json.loads(raw.decode("ascii"))
assert doc["schema"] == 1 and doc["program"] == "vexoma" and doc["mode"] == "preview", doc
assert doc["started"].endswith("Z") and len(doc["started"]) == 20, doc["started"]
assert doc["tempFolder"].lower() == "c:\\cons\\temp\\", doc["tempFolder"]
temp = next(t for t in doc["targets"] if t["name"] == "temp")
for name in ("é.txt", "日本.txt", "😀.tmp"):
    assert "C:\\cons\\temp\\" + name in temp["lines"], (name, temp["lines"])
rar = next(t for t in doc["targets"] if t["number"] == 19)
assert rar["totals"]["registryValues"] == 1, rar
# Every item by its name: the files with their bytes, the registry value by key and name only.
named = {i["path"]: i for i in temp["items"] if i["kind"] == "file"}
for name in ("é.txt", "日本.txt", "😀.tmp"):
    item = named["C:\\cons\\temp\\" + name]
    assert item["outcome"] == "deleted" and "reason" not in item, item
values = [i for i in rar["items"] if i["kind"] == "registryValue"]
assert {(i["key"], i["value"], i["outcome"]) for i in values} == {
    ("HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory", "0", "deleted")}, values
PY

echo "Once the file is let go"
vx again --nettoyer 6 --utf8
expect_status "only the hidden file stays: status 1" again 1
sed '1s/^\xEF\xBB\xBF//' "$WINE_SCRATCH/again.raw" | iconv -f UTF-8 -t UTF-8 | tr -d '\r' | sed -n '/^Bilan du nettoyage :/q;p' | sort >"$WINE_SCRATCH/again.log"
expect_lines "the run log names the files let go, in UTF-8 with --utf8" "$WINE_SCRATCH/again.log" <<'LOG'

C:\cons\temp\locked.txt
C:\cons\temp\é.txt
C:\cons\temp\日本.txt
C:\cons\temp\😀.tmp
Fichiers temporaire  : Nettoyage ...
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

echo "The Internet cache's own store"
# The first clean makes the store; the cache library then keeps its index files mapped, so no
# run deletes them, and the preview must say so too.
vx cache-first --nettoyer 2-4
expect_present "a real run has made the cache's store" \
    "$C/users/$USER/AppData/Local/Microsoft/Windows/INetCache/Content.IE5/index.dat"
vx cache-preview --apercu 2-4
vx cache-clean --nettoyer 2-4
run_log cache-preview >"$WINE_SCRATCH/cache-preview.log"
run_log cache-clean >"$WINE_SCRATCH/cache-clean.log"
expect_same "the preview's lines are the clean's, the index files left out of both" \
    "$WINE_SCRATCH/cache-preview.log" "$WINE_SCRATCH/cache-clean.log"
grep '^    ' "$WINE_SCRATCH/cache-preview.out" >"$WINE_SCRATCH/cache-preview.items" || true
grep '^    ' "$WINE_SCRATCH/cache-clean.out" >"$WINE_SCRATCH/cache-clean.items" || true
expect_same "the preview names the items the clean leaves, with the same reasons" \
    "$WINE_SCRATCH/cache-preview.items" "$WINE_SCRATCH/cache-clean.items"
expect_grep "the content cache's index file is named as kept" cache-clean.out \
    'Content.IE5\index.dat (fichier, accès refusé)'

wine_suite_end
