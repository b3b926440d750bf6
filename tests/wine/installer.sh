#!/usr/bin/env bash
# The per-user installer under Wine, in a scratch prefix: a silent install, its files, Start-menu
# shortcut and uninstall entry; a cleaning run of the installed program through its window;
# then a silent uninstall, after which nothing the installer made is left and nothing else is
# gone (the prefix's user folders, HOME, XDG_DATA_HOME and HKEY_CURRENT_USER are compared
# before and after); then the same beside another program in the user's programs folder.
#
# Usage: tests/wine/installer.sh BUILD [SETUP_EXE]   (e.g. build/mingw64)
# Without SETUP_EXE, the installer of BUILD is made with `scripts/release.sh installer`.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/wine/lib.sh

build=${1:?usage: installer.sh BUILD_DIR [SETUP_EXE]}
wine_build "$build"
suite_prepare cmake --build "$build" --target vexoma-pellora vp-gui-driver >/dev/null
program=$(realpath "$build/src/app/win32/VexomaPellora.exe")
driver=$(realpath "$build/tests/win32/gui/vp-gui-driver.exe")
version=$(sed -n 's/^project(VexomaPellora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [[ -n "${2:-}" ]]; then
    setup=$(realpath "$2")
elif [[ -n ${VP_WINE_UNPRIVILEGED:-} ]]; then
    setup=$VP_INSTALLER_MADE # made by the first start
else
    setup=$(scripts/release.sh installer "$build" "$build/installer" | tail -n 1)
    export VP_INSTALLER_MADE=$setup
fi
echo "Installer: $setup"

wine_scratch_begin
# Wine's menu builder would mirror the shortcut into XDG_DATA_HOME; the installer's own work is
# what is under test.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
user=${USER:-$(id -un)} # Wine names the profile after the Unix user
profile="$WINEPREFIX/drive_c/users/$user"
installed="$profile/AppData/Local/Programs/Vexoma Pellora"
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vexoma Pellora.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VexomaPellora'

# Every file and folder of the user's side, and every key and value of HKEY_CURRENT_USER, one
# line each, sorted.
snapshot() {
    local name=$1
    find "$WINEPREFIX/drive_c/users" "$HOME" "$XDG_DATA_HOME" -mindepth 1 | sort >"$WINE_SCRATCH/$name.files"
    wine regedit /E "$WINE_SCRATCH/$name.reg" HKEY_CURRENT_USER >/dev/null 2>&1
    wineserver -w
    # One line per value, prefixed with its key; continued hex lines joined.
    iconv -f UTF-16 -t UTF-8 "$WINE_SCRATCH/$name.reg" | tr -d '\r' |
        awk '/\\$/ { sub(/\\$/, ""); held = held $0; next }
             { line = held $0; held = "" }
             line ~ /^\[/ { current = line; print current; next }
             line != "" && current != "" { sub(/^ +/, "", line); print current " " line }' |
        sort >"$WINE_SCRATCH/$name.values"
}

# Lines of A that are not in B.
only_in() { comm -23 "$WINE_SCRATCH/$1" "$WINE_SCRATCH/$2"; }

expect_none() { # NAME LINES
    if [[ -z "$2" ]]; then pass "$1"; else fail "$1" && printf '%s\n' "$2" | sed 's/^/        /'; fi
}

snapshot before

echo "Silent install"
wine "$setup" /S >/dev/null 2>&1 && installer_status=0 || installer_status=$?
wineserver -w
[[ $installer_status -eq 0 ]] && pass "the installer ends with 0 in silent mode" ||
    fail "the installer ends with $installer_status in silent mode"
for file in VexomaPellora.exe LICENSE.txt LISEZMOI.txt uninstall.exe; do
    expect_present "installed: $file" "$installed/$file"
done
if cmp -s "$program" "$installed/VexomaPellora.exe"; then
    pass "the installed program is the build's"
else
    fail "the installed program is the build's"
fi
expect_present "Start-menu shortcut" "$shortcut"
if [[ -f "$shortcut" ]] && grep -qa 'VexomaPellora.exe' "$shortcut"; then
    pass "the shortcut points at the program"
else
    fail "the shortcut points at the program"
fi

wine reg query "$key" 2>/dev/null | tr -d '\r' >"$WINE_SCRATCH/entry.txt" || true
wineserver -w
entry_value() { awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }' "$WINE_SCRATCH/entry.txt"; }
install_dir="C:\\users\\$user\\AppData\\Local\\Programs\\Vexoma Pellora"
check_entry() { # NAME EXPECTED
    local actual
    actual=$(entry_value "$1")
    if [[ "$actual" == "$2" ]]; then pass "uninstall entry: $1"; else fail "uninstall entry: $1 is |$actual|, not |$2|"; fi
}
check_entry DisplayName "Vexoma Pellora"
check_entry DisplayVersion "$version"
check_entry UninstallString "\"$install_dir\\uninstall.exe\""
check_entry QuietUninstallString "\"$install_dir\\uninstall.exe\" /S"
check_entry InstallLocation "$install_dir"
check_entry DisplayIcon "$install_dir\\VexomaPellora.exe,0"
check_entry NoModify 0x1
check_entry NoRepair 0x1
# The publisher's accented letter comes out in the console's code page: its ASCII part.
[[ "$(entry_value Publisher)" == "Les d"*"veloppeurs de Vexoma Pellora" ]] &&
    pass "uninstall entry: Publisher" || fail "uninstall entry: Publisher is |$(entry_value Publisher)|"
size=$(entry_value EstimatedSize)
(( size > 0 && size * 1024 >= $(stat -c %s "$program") )) 2>/dev/null &&
    pass "uninstall entry: EstimatedSize covers the program ($((size)) KB)" ||
    fail "uninstall entry: EstimatedSize is |$size|"
snapshot installed

echo "A cleaning run of the installed program"
temp="$profile/Temp"
mkdir -p "$temp"
printf 'left by an installer test' >"$temp/vp-installer-seed.tmp"
mkdir -p "$WINE_SCRATCH/run"
run_status=0
with_display wine "$driver" "$(windows_path "$installed/VexomaPellora.exe")" --demo \
    "$(windows_path "$WINE_SCRATCH/run")" >"$WINE_SCRATCH/run.log" 2>&1 || run_status=$?
wineserver -w
tr -d '\r' <"$WINE_SCRATCH/run.log" | sed 's/^/    /'
[[ $run_status -eq 0 ]] && pass "the installed program starts and makes a run through its window" ||
    fail "the installed program's run (driver status $run_status)"
expect_absent "the run deleted the seeded temporary file" "$temp/vp-installer-seed.tmp"
snapshot ran

echo "Silent uninstall"
wine "$installed/uninstall.exe" /S >/dev/null 2>&1 && uninstaller_status=0 || uninstaller_status=$?
wineserver -w
[[ $uninstaller_status -eq 0 ]] && pass "the uninstaller ends with 0 in silent mode" ||
    fail "the uninstaller ends with $uninstaller_status in silent mode"
expect_absent "the program's folder is gone" "$installed"
expect_absent "the shortcut is gone" "$shortcut"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is gone" || pass "the uninstall entry is gone"
wineserver -w
snapshot after

for kind in files values; do
    # What the installer made: new after the install.
    only_in "installed.$kind" "before.$kind" >"$WINE_SCRATCH/made.$kind"
    sort "$WINE_SCRATCH/made.$kind" -o "$WINE_SCRATCH/made.$kind"
    expect_none "nothing the installer made is left ($kind)" \
        "$(comm -12 "$WINE_SCRATCH/made.$kind" "$WINE_SCRATCH/after.$kind")"
    # What was there before and survived the cleaning run must survive the uninstaller.
    comm -12 "$WINE_SCRATCH/before.$kind" "$WINE_SCRATCH/ran.$kind" >"$WINE_SCRATCH/kept.$kind"
    expect_none "nothing else is gone ($kind)" "$(only_in "kept.$kind" "after.$kind")"
    # NSIS runs the uninstaller from a copy in a temporary folder of its own, which it cannot
    # remove while running from it; Windows leaves it too. Anything else is counted.
    only_in "after.$kind" "ran.$kind" >"$WINE_SCRATCH/new.$kind"
    grep -E '/Temp/~nsu[^/]*\.tmp(/|$)' "$WINE_SCRATCH/new.$kind" | sed 's/^/  note  left by NSIS: /' || true
    expect_none "the uninstaller leaves nothing of its own ($kind)" \
        "$(grep -vE '/Temp/~nsu[^/]*\.tmp(/|$)' "$WINE_SCRATCH/new.$kind" || true)"
done

# Again, with another program already in the programs folder: the folder and that program
# stay, and the profile is as it was.
echo "Install and uninstall beside another program"
other="$profile/AppData/Local/Programs/Autre logiciel"
mkdir -p "$other"
printf 'another program' >"$other/autre.exe"
snapshot beside
wine "$setup" /S >/dev/null 2>&1 || true
wineserver -w
expect_present "installed beside the other program" "$installed/VexomaPellora.exe"
wine "$installed/uninstall.exe" /S >/dev/null 2>&1 || true
wineserver -w
snapshot beside-after
for kind in files values; do
    expect_none "the other program and its folder are as they were ($kind)" \
        "$(only_in "beside.$kind" "beside-after.$kind")"
    expect_none "nothing of the second install is left ($kind)" \
        "$(only_in "beside-after.$kind" "beside.$kind" | grep -vE '/Temp/~nsu[^/]*\.tmp(/|$)' || true)"
done

wine_suite_end
