#!/usr/bin/env bash
# End to end under Wine: vexoma.exe reads a rules file written for this suite, detects its
# entries on a seeded profile (a Chromium-like and a Gecko-like browser profile with caches,
# cookie-like files and a file held open by another process, an application's registry MRU),
# previews them without changing anything in the whole prefix, then cleans exactly the items
# the rules name: the held file stays, reported "in use", and so do the files and values the
# rules leave out or exclude.
#
# Usage: tests/wine/e2e-rules.sh build/mingw64
# vp-suite: 64-bit only
source "$(dirname "$0")/lib.sh"
build=${1:-build/mingw64}
wine_driver "$build"
VEXOMA=$(cd "$build" && pwd)/src/app/win32/vexoma.exe
[[ -f "$VEXOMA" ]] || { echo "missing $VEXOMA: build the mingw64 preset first" >&2; exit 1; }
wine_scratch_begin

C="$WINEPREFIX/drive_c"
user=$(ls "$C/users" | grep -vx Public | head -n1)
LOCAL="$C/users/$user/AppData/Local"
ROAMING="$C/users/$user/AppData/Roaming"

vx() { # vx NAME ARGS...: output (code page 437, CR LF) as UTF-8 text in NAME.out, NAME.err
    local name=$1
    shift
    local status=0
    wine "$VEXOMA" "$@" >"$WINE_SCRATCH/$name.raw" 2>"$WINE_SCRATCH/$name.rawerr" || status=$?
    iconv -f CP437 -t UTF-8 "$WINE_SCRATCH/$name.raw" | tr -d '\r' >"$WINE_SCRATCH/$name.out"
    iconv -f CP437 -t UTF-8 "$WINE_SCRATCH/$name.rawerr" | tr -d '\r' >"$WINE_SCRATCH/$name.err"
    echo "$status" >"$WINE_SCRATCH/$name.status"
}
expect_status() {
    local got
    got=$(cat "$WINE_SCRATCH/$2.status")
    if [[ $got == "$3" ]]; then pass "$1"; else fail "$1 (status $got, expected $3)" || true; fi
}
expect_grep() { # expect_grep NAME FILE TEXT
    if grep -qF -- "$3" "$WINE_SCRATCH/$2"; then pass "$1"; else
        if fail "$1"; then sed 's/^/        /' "$WINE_SCRATCH/$2" | head -40; fi
    fi
}
expect_no_grep() {
    if grep -qF -- "$3" "$WINE_SCRATCH/$2"; then fail "$1" || true; else pass "$1"; fi
}
expect_same() {
    if cmp -s "$2" "$3"; then pass "$1"; else
        if fail "$1"; then diff -u "$2" "$3" | sed 's/^/        /' | head -40; fi
    fi
}
# The whole prefix: every file and folder under drive_c with its size, mode and DOS
# attributes, and HKEY_CURRENT_USER whole.
whole_prefix() {
    python3 - "$C" <<'PY'
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
    iconv -f UTF-16LE -t UTF-8 "$WINE_SCRATCH/hkcu.reg" | tr -d '\r' | grep -v '^"\?[A-Za-z]*Time'
}
# The folders the rules name (a run's own start may set up the Internet cache elsewhere).
files_below() {
    (cd "$C/users/$user/AppData" &&
        find ./Local/Brightfox ./Local/Quillmoth ./Roaming/Quillmoth ./Roaming/Nowhere | sort)
}
run_log() { sed -n '/^\(Aperçu : \|Bilan du nettoyage :\)/q;p' "$WINE_SCRATCH/$1.out"; }

echo "A seeded profile"
seedfile() { mkdir -p "$(dirname "$1")" && printf '%s' "${2:-x}" >"$1"; }
BF="$LOCAL/Brightfox/User Data"
for profile in Default "Profile 1"; do
    seedfile "$BF/$profile/Cache/Cache_Data/data_0" "0123456789"
    seedfile "$BF/$profile/Cache/Cache_Data/f_000001" "abc"
    seedfile "$BF/$profile/Code Cache/js/index" "idx"
    seedfile "$BF/$profile/Code Cache/wasm/m_1" "wasm"
    seedfile "$BF/$profile/Cookies" "cookies"
    seedfile "$BF/$profile/History" "history"
    seedfile "$BF/$profile/Preferences" "{}"
done
seedfile "$BF/Default/Cache/.lock" "" # a name starting with a dot is hidden under Wine
mkdir -p "$BF/Default/Code Cache/js/empty"
QM_LOCAL="$LOCAL/Quillmoth/Profiles/k3x9.default"
QM="$ROAMING/Quillmoth/Profiles/k3x9.default"
seedfile "$QM_LOCAL/cache2/entries/A1B2" "entry"
seedfile "$QM_LOCAL/cache2/entries/C3D4" "entry2"
mkdir -p "$QM_LOCAL/cache2/doomed"
seedfile "$QM/cookies.sqlite" "c"
seedfile "$QM/formhistory.sqlite" "f"
seedfile "$QM/favicons.sqlite" "i"
seedfile "$QM/places.sqlite" "p"
seedfile "$QM/prefs.js" "user_pref"
seedfile "$ROAMING/Nowhere/notes.txt" "kept"
cat >"$WINE_SCRATCH/seed.txt" <<'SEED'
sz	Software\Inkwell\Recent Files	File1	C:\docs\plan.ink
sz	Software\Inkwell\Recent Files	File2	C:\docs\été.ink
sz	Software\Inkwell\Recent Files\Pinned	P1	C:\docs\pinned.ink
sz	Software\Inkwell\Settings	LastFolder	C:\docs
sz	Software\Inkwell\Settings	Theme	dark
SEED
e2e seed "Z:$WINE_SCRATCH/seed.txt"

# Written for this suite: invented applications, in the rules' format.
cat >"$WINE_SCRATCH/rules.ini" <<'RULES'
; Rules for the end-to-end suite
[Brightfox Browser *]
LangSecRef=3022
DetectFile=%LocalAppData%\Brightfox\User Data
FileKey1=%LocalAppData%\Brightfox\User Data\*\Cache|*|RECURSE
FileKey2=%LocalAppData%\Brightfox\User Data\*\Code Cache|*.*|REMOVESELF
FileKey3=%LocalAppData%\Brightfox\User Data\*|Cookies;History

[Quillmoth Browser *]
LangSecRef=3022
DetectFile=%AppData%\Quillmoth\Profiles
FileKey1=%LocalAppData%\Quillmoth\Profiles\*\cache2|*|REMOVESELF
FileKey2=%AppData%\Quillmoth\Profiles\*|*.sqlite
ExcludeKey1=FILE|%AppData%\Quillmoth\Profiles\*\|places.sqlite

[Inkwell Editor *]
LangSecRef=3021
Detect=HKCU\Software\Inkwell
RegKey1=HKCU\Software\Inkwell\Recent Files
RegKey2=HKCU\Software\Inkwell\Settings|LastFolder

[Nowhere Notes *]
LangSecRef=3021
Detect=HKCU\Software\NowhereNotes
FileKey1=%AppData%\Nowhere|*
RULES
RULES_PATH=$(windows_path "$WINE_SCRATCH/rules.ini")

# Another process holds the Default profile's cookies open without sharing.
wine "$E2E" hold "C:\\users\\$user\\AppData\\Local\\Brightfox\\User Data\\Default\\Cookies" 'C:\release' \
    >"$WINE_SCRATCH/hold.out" 2>/dev/null &
for _ in $(seq 100); do grep -q held "$WINE_SCRATCH/hold.out" 2>/dev/null && break; sleep 0.1; done

echo "The list"
vx list --liste --regles "$RULES_PATH"
expect_status "--liste: status 0" list 0
expect_grep "three entries detected out of four" list.out "3 entrée(s) détectée(s) sur 4"
expect_grep "the Chromium-like browser" list.out "Brightfox Browser (Internet, 3 clé(s))"
expect_grep "the Gecko-like browser" list.out "Quillmoth Browser (Internet, 2 clé(s))"
expect_grep "the application with a registry MRU" list.out "Inkwell Editor (Applications, 2 clé(s))"
expect_no_grep "the application not installed is not listed" list.out "Nowhere Notes"
vx list-all --liste --tout --regles "$RULES_PATH"
expect_grep "--tout shows it, not detected" list-all.out "Nowhere Notes (Applications, 1 clé(s)) : non détectée"

echo "A preview changes nothing in the whole prefix"
whole_prefix >"$WINE_SCRATCH/prefix.before"
files_below >"$WINE_SCRATCH/files.before"
vx preview --apercu --regles "$RULES_PATH" --entree '*'
expect_status "the held file would stay: status 1" preview 1
whole_prefix >"$WINE_SCRATCH/prefix.after"
expect_same "the whole prefix is as it was" "$WINE_SCRATCH/prefix.before" "$WINE_SCRATCH/prefix.after"
expect_grep "each entry is logged like a target" preview.out "Brightfox Browser : Nettoyage ..."
expect_grep "the held file would stay, in use" preview.out \
    "Resté en place : C:\\users\\$user\\AppData\\Local\\Brightfox\\User Data\\Default\\Cookies (en cours d'utilisation)"

echo "The clean deletes exactly what the rules name"
vx clean --nettoyer --regles "$RULES_PATH" --entree '*'
expect_status "the held file stayed: status 1" clean 1
run_log preview >"$WINE_SCRATCH/preview.log"
run_log clean >"$WINE_SCRATCH/clean.log"
expect_same "the clean's lines are the preview's" "$WINE_SCRATCH/preview.log" "$WINE_SCRATCH/clean.log"
files_below >"$WINE_SCRATCH/files.after"
comm -23 "$WINE_SCRATCH/files.before" "$WINE_SCRATCH/files.after" >"$WINE_SCRATCH/gone"
expect_lines "exactly the expected files and folders went" "$WINE_SCRATCH/gone" <<'GONE'
./Local/Brightfox/User Data/Default/Cache/Cache_Data/data_0
./Local/Brightfox/User Data/Default/Cache/Cache_Data/f_000001
./Local/Brightfox/User Data/Default/Code Cache
./Local/Brightfox/User Data/Default/Code Cache/js
./Local/Brightfox/User Data/Default/Code Cache/js/empty
./Local/Brightfox/User Data/Default/Code Cache/js/index
./Local/Brightfox/User Data/Default/Code Cache/wasm
./Local/Brightfox/User Data/Default/Code Cache/wasm/m_1
./Local/Brightfox/User Data/Default/History
./Local/Brightfox/User Data/Profile 1/Cache/Cache_Data/data_0
./Local/Brightfox/User Data/Profile 1/Cache/Cache_Data/f_000001
./Local/Brightfox/User Data/Profile 1/Code Cache
./Local/Brightfox/User Data/Profile 1/Code Cache/js
./Local/Brightfox/User Data/Profile 1/Code Cache/js/index
./Local/Brightfox/User Data/Profile 1/Code Cache/wasm
./Local/Brightfox/User Data/Profile 1/Code Cache/wasm/m_1
./Local/Brightfox/User Data/Profile 1/Cookies
./Local/Brightfox/User Data/Profile 1/History
./Local/Quillmoth/Profiles/k3x9.default/cache2
./Local/Quillmoth/Profiles/k3x9.default/cache2/doomed
./Local/Quillmoth/Profiles/k3x9.default/cache2/entries
./Local/Quillmoth/Profiles/k3x9.default/cache2/entries/A1B2
./Local/Quillmoth/Profiles/k3x9.default/cache2/entries/C3D4
./Roaming/Quillmoth/Profiles/k3x9.default/cookies.sqlite
./Roaming/Quillmoth/Profiles/k3x9.default/favicons.sqlite
./Roaming/Quillmoth/Profiles/k3x9.default/formhistory.sqlite
GONE
comm -13 "$WINE_SCRATCH/files.before" "$WINE_SCRATCH/files.after" >"$WINE_SCRATCH/new"
if [[ -s "$WINE_SCRATCH/new" ]]; then fail "nothing new appeared" && cat "$WINE_SCRATCH/new"; else
    pass "nothing new appeared"
fi
whole_prefix >"$WINE_SCRATCH/prefix.clean"
if grep -qF '[HKEY_CURRENT_USER\Software\Inkwell\Recent Files' "$WINE_SCRATCH/prefix.clean"; then
    fail "the MRU key and its subkey went"
else
    pass "the MRU key and its subkey went"
fi
expect_grep "the key above it stays" prefix.clean '[HKEY_CURRENT_USER\Software\Inkwell\Settings]'
expect_grep "the value the rules leave out stays" prefix.clean '"Theme"="dark"'
expect_no_grep "the one value named went" prefix.clean '"LastFolder"'
expect_grep "the MRU's values are logged" clean.out 'HKCU\Software\Inkwell\Recent Files|File1'

touch "$C/release"
wait || true
wine_suite_end
