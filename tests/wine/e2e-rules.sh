#!/usr/bin/env bash
# End to end under Wine: vexoma.exe reads a rules file written for this suite, detects its
# entries on a seeded profile (a Chromium-like and a Gecko-like browser profile with caches,
# cookie-like files, an application's registry MRU), with a stand-in browser running from the
# Chromium-like install folder under the name chrome.exe and holding a profile file open.
# The list says which applications run (by their folder, by a browser's executable name);
# the preview changes nothing in the whole prefix; the clean deletes exactly the items the
# rules name: the held file stays, reported "in use", and so do the files and values the rules
# leave out or exclude; the JSON gives each entry its own object.
#
# Usage: tests/wine/e2e-rules.sh build/mingw64
# vp-suite: 64-bit only
source "$(dirname "$0")/lib.sh"
build=${1:-build/mingw64}
wine_driver "$build"
VEXOMA=$(cd "$build" && pwd)/src/app/win32/vexoma.exe
[[ -f "$VEXOMA" ]] || { echo "missing $VEXOMA: build the mingw64 preset first" >&2; exit 1; }
FAKE_BROWSER=$VP_BUILD/tests/win32/browser/vp_fake_browser.exe
[[ -f "$FAKE_BROWSER" ]] || { echo "missing $FAKE_BROWSER: build the mingw64 preset first" >&2; exit 1; }
wine_scratch_begin

C="$WINEPREFIX/drive_c"
user=$(ls "$C/users" | grep -vx Public | head -n1)
LOCAL="$C/users/$user/AppData/Local"
ROAMING="$C/users/$user/AppData/Roaming"

# The folders the rules name (a run's own start may set up the Internet cache elsewhere).
files_below() {
    (cd "$C/users/$user/AppData" &&
        find ./Local/Brightfox ./Local/Quillmoth ./Roaming/Quillmoth ./Roaming/Nowhere \
            ./Local/Google | sort)
}

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
mkdir -p "$LOCAL/Brightfox/Application"
cp "$FAKE_BROWSER" "$LOCAL/Brightfox/Application/chrome.exe"
seedfile "$LOCAL/Google/Chrome/User Data/Default/GPUCache/data_1" "gpu"
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
DetectFile1=%LocalAppData%\Brightfox\User Data
DetectFile2=%LocalAppData%\Brightfox\Application\chrome.exe
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

[Chrome Traces *]
LangSecRef=3029
DetectFile=%LocalAppData%\Google\Chrome\User Data
FileKey1=%LocalAppData%\Google\Chrome\User Data\*\GPUCache|*

[Nowhere Notes *]
LangSecRef=3021
Detect=HKCU\Software\NowhereNotes
FileKey1=%AppData%\Nowhere|*
RULES
RULES_PATH=$(windows_path "$WINE_SCRATCH/rules.ini")

# The browser runs: from its install folder, as chrome.exe, holding the Default profile's
# cookies open without sharing their deletion (until C:\release appears, 5 minutes at most).
wine "$LOCAL/Brightfox/Application/chrome.exe" \
    "C:\\users\\$user\\AppData\\Local\\Brightfox\\User Data\\Default\\Cookies" 'C:\release' 300 \
    >"$WINE_SCRATCH/hold.out" 2>/dev/null &
for _ in $(seq 100); do grep -q held "$WINE_SCRATCH/hold.out" 2>/dev/null && break; sleep 0.1; done
grep -q held "$WINE_SCRATCH/hold.out" && pass "the stand-in browser holds the cookies" ||
    fail "the stand-in browser holds the cookies"

echo "The list"
vx list --liste --regles "$RULES_PATH"
expect_status "--liste: status 0" list 0
expect_grep "four entries detected out of five" list.out "4 entrée(s) détectée(s) sur 5"
expect_grep "the Chromium-like browser, running from its detected folder" list.out \
    "Brightfox Browser (Internet, 3 clé(s)) ; en cours d'exécution : chrome.exe"
expect_grep "a Chrome entry, running by the browser's executable name" list.out \
    "Chrome Traces (Google Chrome, 1 clé(s)) ; en cours d'exécution : chrome.exe"
expect_grep "the Gecko-like browser, not running" list.out "Quillmoth Browser (Internet, 2 clé(s))"$'\n'
expect_grep "the application with a registry MRU" list.out "Inkwell Editor (Applications, 2 clé(s))"$'\n'
expect_no_grep "the application not installed is not listed" list.out "Nowhere Notes"
vx list-all --liste --tout --regles "$RULES_PATH"
expect_grep "--tout shows it, not detected" list-all.out "Nowhere Notes (Applications, 1 clé(s)) : non détectée"

echo "A preview changes nothing in the whole prefix"
whole_prefix --no-times >"$WINE_SCRATCH/prefix.before"
files_below >"$WINE_SCRATCH/files.before"
vx preview --apercu --regles "$RULES_PATH" --entree '*'
expect_status "the held file would stay: status 1" preview 1
whole_prefix --no-times >"$WINE_SCRATCH/prefix.after"
expect_same "the whole prefix is as it was" "$WINE_SCRATCH/prefix.before" "$WINE_SCRATCH/prefix.after"
expect_grep "each entry is logged like a target" preview.out "Brightfox Browser : Nettoyage ..."
expect_grep "the running browser is named before its items" preview.out \
    "Règles : « Brightfox Browser » : l'application tourne (chrome.exe) ; les fichiers qu'elle tient ouverts restent en place"
expect_grep "the held file would stay, in use" preview.out \
    "Resté en place : C:\\users\\$user\\AppData\\Local\\Brightfox\\User Data\\Default\\Cookies (en cours d'utilisation)"

echo "The JSON gives each entry its own object"
vx json --apercu --json --regles "$RULES_PATH" --entree '*'
expect_status "the JSON preview: status 1" json 1
if python3 - "$WINE_SCRATCH/json.out" "$user" >"$WINE_SCRATCH/json.check" 2>&1 <<'PY'; then
import json, sys
doc = json.load(open(sys.argv[1]))
entries = {e["name"]: e for e in doc["entries"]}
assert list(entries) == ["Brightfox Browser", "Quillmoth Browser", "Inkwell Editor",
                         "Chrome Traces"], list(entries)
bf = entries["Brightfox Browser"]
assert bf["running"] is True and bf["process"] == "chrome.exe" and bf["warning"] is None, bf
assert bf["category"] == "Internet" and bf["lines"][0] == "Brightfox Browser : Nettoyage ...", bf
cookies = r"C:\users\%s\AppData\Local\Brightfox\User Data\Default\Cookies" % sys.argv[2]
held = [i for i in bf["items"] if i["path"] == cookies]
assert held == [{"kind": "file", "path": cookies, "bytes": 7, "outcome": "kept",
                 "reason": "inUse"}], held
assert bf["totals"]["keptFiles"] >= 1 and bf["totals"]["files"] == 11, bf["totals"]
assert entries["Quillmoth Browser"]["running"] is False
ink = entries["Inkwell Editor"]["items"]
assert {i["kind"] for i in ink} == {"registryValue", "registryKey"}, ink
assert all(i["outcome"] == "deleted" for i in ink), ink
total = sum(e["totals"]["files"] for e in doc["entries"])
assert doc["totals"]["files"] == total, (doc["totals"], total)
PY
    pass "entries, running, items and counts as the preview has them"
else
    fail "entries, running, items and counts as the preview has them" && sed 's/^/        /' "$WINE_SCRATCH/json.check"
fi

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
./Local/Google/Chrome/User Data/Default/GPUCache/data_1
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
whole_prefix --no-times >"$WINE_SCRATCH/prefix.clean"
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
expect_present "the browser was never stopped: its file is whole" \
    "$LOCAL/Brightfox/User Data/Default/Cookies"
wine_suite_end
