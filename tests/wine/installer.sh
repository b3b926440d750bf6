#!/usr/bin/env bash
# The per-user installer under Wine, in a scratch prefix: a silent install, its files, Start-menu
# shortcut and uninstall entry, and the version resources, manifest and icon Windows reads of
# the programs, the uninstaller and the installer; a cleaning run of the installed program
# through its window; while the window or a double-clicked vexoma.exe runs, a silent install
# and a silent uninstall refuse with status 3 and change nothing; then a silent uninstall by
# the entry's own command, after which nothing the installer made is left and nothing else is
# gone (the prefix's user folders, HOME, XDG_DATA_HOME and HKEY_CURRENT_USER are compared before
# and after); an upgrade of a copy installed in a folder of the user's choice goes into that
# folder, and a move to another folder leaves one copy; then the same beside another program in
# the user's programs folder, with NSIS's own way of starting the uninstaller.
#
# Usage: tests/wine/installer.sh BUILD [SETUP_EXE]   (e.g. build/mingw64)
# Without SETUP_EXE, the installer of BUILD is made with `scripts/release.sh installer`.
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/wine/lib.sh

build=${1:?usage: installer.sh BUILD_DIR [SETUP_EXE]}
wine_build "$build"
suite_prepare cmake --build "$build" --target vexoma-pellora vexoma vp-gui-driver vp-release-probe >/dev/null
program=$(realpath "$build/src/app/win32/VexomaPellora.exe")
driver=$(realpath "$build/tests/win32/gui/vp-gui-driver.exe")
probe=$(realpath "$build/tests/win32/release/vp-release-probe.exe")
version=$(sed -n 's/^project(VexomaPellora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
publisher=$(sed -n 's/^Copyright (c) [0-9]* \(.*\)$/\1/p' LICENSE | head -n 1)
arch=win64
[[ $(vp_build_bits "$VP_BUILD") == 32 ]] && arch=win32
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
install_dir="C:\\users\\$user\\AppData\\Local\\Programs\\Vexoma Pellora"
# Where the uninstaller started in its own folder moves itself; the next install removes it.
moved_uninstaller="$profile/Temp/~VexomaPellora-uninstall.tmp"
# What NSIS and the uninstaller may leave in the temporary folder (documented in the README).
uninstaller_leftovers='/Temp/(~nsu[^/]*\.tmp|~VexomaPellora-uninstall\.tmp)(/|$)'

# Every file and folder of the user's side, and every key and value of HKEY_CURRENT_USER, one
# line each, sorted
# (regedit has written its file when it ends: no need to wait for the prefix's other programs,
# which may be the running program itself.)
snapshot() {
    local name=$1
    find "$WINEPREFIX/drive_c/users" "$HOME" "$XDG_DATA_HOME" -mindepth 1 | sort >"$WINE_SCRATCH/$name.files"
    wine regedit /E "$WINE_SCRATCH/$name.reg" HKEY_CURRENT_USER >/dev/null 2>&1
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
for file in VexomaPellora.exe vexoma.exe LICENSE.txt LISEZMOI.txt uninstall.exe; do
    expect_present "installed: $file" "$installed/$file"
done
if cmp -s "$program" "$installed/VexomaPellora.exe"; then
    pass "the installed program is the build's"
else
    fail "the installed program is the build's"
fi
expect_present "Start-menu shortcut" "$shortcut"
# Whether the shortcut names TARGET, in the ANSI or the UTF-16 form a .lnk may hold it in.
shortcut_names() {
    [[ -f "$shortcut" ]] || return 1
    grep -qaiF "$1" "$shortcut" ||
        { iconv -f UTF-16LE -t UTF-8 "$shortcut"; tail -c +2 "$shortcut" | iconv -f UTF-16LE -t UTF-8; } 2>/dev/null |
        grep -qaiF "$1"
}
if shortcut_names "$install_dir\\VexomaPellora.exe"; then
    pass "the shortcut points at the program"
else
    fail "the shortcut points at the program"
fi

read_entry() {
    wine reg query "$key" 2>/dev/null | tr -d '\r' >"$WINE_SCRATCH/entry.txt" || true
    wineserver -w
}
entry_value() { awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }' "$WINE_SCRATCH/entry.txt"; }
check_entry() { # NAME EXPECTED
    local actual
    actual=$(entry_value "$1")
    if [[ "$actual" == "$2" ]]; then pass "uninstall entry: $1"; else fail "uninstall entry: $1 is |$actual|, not |$2|"; fi
}
# The entry of a copy installed in the Windows folder DIR (whose Unix path is UNIX_DIR): its
# commands, where it is, and its size, every installed file counted in whole kilobytes.
check_entry_of() { # DIR UNIX_DIR
    local dir=$1 unix_dir=$2 bytes
    read_entry
    check_entry DisplayName "Vexoma Pellora"
    check_entry DisplayVersion "$version"
    check_entry Publisher "$publisher"
    check_entry UninstallString "\"$dir\\uninstall.exe\" _?=$dir"
    check_entry QuietUninstallString "\"$dir\\uninstall.exe\" /S _?=$dir"
    check_entry InstallLocation "$dir"
    check_entry DisplayIcon "$dir\\VexomaPellora.exe,0"
    check_entry NoModify 0x1
    check_entry NoRepair 0x1
    bytes=$(find "$unix_dir" -type f -printf '%s\n' | awk '{ total += $1 } END { print total + 0 }')
    check_entry EstimatedSize "$(printf '0x%x' $(((bytes + 1023) / 1024)))"
}
check_entry_of "$install_dir" "$installed"

# What Windows reads of each program: Explorer's Details tab, inventory tools, the taskbar.
version_of() { # FILE -> "Key=value" lines in $WINE_SCRATCH/version.txt
    wine "$probe" version "$(windows_path "$1")" 2>/dev/null | tr -d '\r' >"$WINE_SCRATCH/version.txt"
}
expect_version() { # WHAT KEY EXPECTED
    local actual
    actual=$(sed -n "s/^$2=//p" "$WINE_SCRATCH/version.txt")
    if [[ "$actual" == "$3" ]]; then pass "$1: $2"; else fail "$1: $2 is |$actual|, not |$3|"; fi
}
# Every size the icon file carries, 32 bits each (from the standard list to the 256-pixel PNG).
icons="16x32 20x32 24x32 32x32 40x32 48x32 64x32 256x32"
for exe in VexomaPellora.exe vexoma.exe; do
    version_of "$installed/$exe"
    expect_version "$exe" CompanyName "$publisher"
    expect_version "$exe" ProductName "Vexoma Pellora"
    expect_version "$exe" FileVersion "$version"
    expect_version "$exe" ProductVersion "$version"
    expect_version "$exe" FixedFileVersion "$version.0"
    expect_version "$exe" OriginalFilename "$exe"
    expect_version "$exe" LegalCopyright "Copyright (c) 2026 $publisher, licence MIT"
    expect_version "$exe" ManifestExecutionLevel asInvoker
    expect_version "$exe" Icon "$icons"
done
version_of "$installed/vexoma.exe"
expect_version vexoma.exe FileDescription "Vexoma Pellora - nettoyeur en ligne de commande"
version_of "$installed/uninstall.exe"
expect_version uninstall.exe FileDescription "Désinstallation de Vexoma Pellora $version ($arch)"
expect_version uninstall.exe OriginalFilename uninstall.exe
expect_version uninstall.exe CompanyName "$publisher"
expect_version uninstall.exe Comments ""
version_of "$setup"
expect_version "the installer" FileDescription "Installation de Vexoma Pellora $version ($arch)"
expect_version "the installer" CompanyName "$publisher"
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

# While the program runs (its window, or vexoma.exe double-clicked and waiting for a key), a
# silent install and a silent uninstall end with status 3 and change nothing.
refusals() {
    local status pid
    wine "$installed/VexomaPellora.exe" >/dev/null 2>&1 &
    local window=$!
    for _ in $(seq 100); do
        wine "$probe" running >/dev/null 2>&1 && break
        sleep 0.2
    done
    for who in "the window" "vexoma.exe"; do
        snapshot running
        status=0
        wine "$setup" /S >/dev/null 2>&1 || status=$?
        [[ $status -eq 3 ]] && pass "while $who runs, a silent install ends with 3" ||
            fail "while $who runs, a silent install ends with $status"
        status=0
        wine "$probe" run "$(entry_value QuietUninstallString)" >/dev/null 2>&1 || status=$?
        [[ $status -eq 3 ]] && pass "while $who runs, the quiet uninstall command ends with 3" ||
            fail "while $who runs, the quiet uninstall command ends with $status"
        snapshot refused
        for kind in files values; do
            expect_none "while $who runs, nothing is changed ($kind)" \
                "$(diff "$WINE_SCRATCH/running.$kind" "$WINE_SCRATCH/refused.$kind" | grep '^[<>]' || true)"
        done
        if [[ $who == "the window" ]]; then
            wine "$probe" close >/dev/null 2>&1 || true
            wait "$window" || true
            # Started from Explorer, vexoma.exe is alone on a new console: it shows its usage
            # and waits for a key (and holds the mark meanwhile).
            wine "$probe" double-click "$install_dir\\vexoma.exe" 2>/dev/null |
                tr -d '\r' >"$WINE_SCRATCH/double-click.txt" || true
            if grep -q "^Appuyez sur une touche pour fermer cette fenêtre.$" "$WINE_SCRATCH/double-click.txt" &&
                grep -qF "  \"$install_dir\\vexoma.exe\" --liste" "$WINE_SCRATCH/double-click.txt" &&
                grep -q "^  vexoma --nettoyer CIBLES" "$WINE_SCRATCH/double-click.txt"; then
                pass "vexoma.exe double-clicked shows its usage, its full path, and waits for a key"
            else
                fail "vexoma.exe double-clicked shows its usage, its full path, and waits for a key"
                sed 's/^/        /' "$WINE_SCRATCH/double-click.txt"
            fi
            pid=$(sed -n 's/^pid=//p' "$WINE_SCRATCH/double-click.txt")
        fi
    done
    wine "$probe" press-key "${pid:-0}" 2>/dev/null | tr -d '\r' >"$WINE_SCRATCH/key.txt" || true
    grep -qx "exit=0" "$WINE_SCRATCH/key.txt" && pass "a key closes vexoma.exe's console, with status 0" ||
        fail "a key closes vexoma.exe's console ($(cat "$WINE_SCRATCH/key.txt"))"
    wine "$probe" running >/dev/null 2>&1 && fail "the mark is gone with the programs" ||
        pass "the mark is gone with the programs"
}
echo "While the program runs"
with_display refusals
wineserver -w
# (The console the double click opened leaves its settings in HKEY_CURRENT_USER\Console.)
snapshot ran

echo "Silent uninstall, by the entry's quiet command"
wine "$probe" run "$(entry_value QuietUninstallString)" >/dev/null 2>&1 && uninstaller_status=0 || uninstaller_status=$?
wineserver -w # and its copy, which removes the folder once the uninstaller has ended
[[ $uninstaller_status -eq 0 ]] && pass "the quiet uninstall command ends with 0" ||
    fail "the quiet uninstall command ends with $uninstaller_status"
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
    # A running uninstaller cannot delete its own file: it moves it into the temporary folder
    # (started by the entry) or runs from a copy there (NSIS's way). Anything else is counted.
    only_in "after.$kind" "ran.$kind" >"$WINE_SCRATCH/new.$kind"
    grep -E "$uninstaller_leftovers" "$WINE_SCRATCH/new.$kind" | sed 's/^/  note  left in the temporary folder: /' || true
    expect_none "the uninstaller leaves nothing of its own ($kind)" \
        "$(grep -vE "$uninstaller_leftovers" "$WINE_SCRATCH/new.$kind" || true)"
done

# An upgrade of a copy in a folder of the user's choice, silent as package managers make it:
# /D= the first time only. One copy, in that folder, which the entry and the shortcut name;
# after the uninstall, nothing of it (the folders the installer made included).
echo "Upgrade of a copy in a folder of the user's choice"
custom="$WINEPREFIX/drive_c/Outils/VP"
# The command lines as a package manager writes them, run by CreateProcess (started by the Wine
# loader from here, the installer does not see its /D=).
setup_command="\"$(windows_path "$setup")\" /S"
wine "$probe" run "$setup_command /D=C:\\Outils\\VP" >/dev/null 2>&1 || true
wineserver -w
expect_present "installed with /D= into C:\Outils\VP" "$custom/VexomaPellora.exe"
expect_absent "the cleanup of the moved uninstaller by the next install" "$moved_uninstaller"
status=0
wine "$probe" run "$setup_command" >/dev/null 2>&1 || status=$?
wineserver -w
[[ $status -eq 0 ]] && pass "the upgrade ends with 0" || fail "the upgrade ends with $status"
expect_absent "the upgrade makes no second copy in the default folder" "$installed"
expect_present "the upgrade is in C:\Outils\VP" "$custom/VexomaPellora.exe"
if cmp -s "$program" "$custom/VexomaPellora.exe"; then pass "the upgraded program is the build's"; else fail "the upgraded program is the build's"; fi
check_entry_of 'C:\Outils\VP' "$custom"
shortcut_names 'C:\Outils\VP\VexomaPellora.exe' && pass "the shortcut points into C:\Outils\VP" ||
    fail "the shortcut points into C:\Outils\VP ($(strings -a "$shortcut" | grep -ai vexoma | tr '\n' ' '))"

echo "A move to another folder"
moved="$WINEPREFIX/drive_c/Autre/VP"
wine "$probe" run "$setup_command /D=C:\\Autre\\VP" >/dev/null 2>&1 || true
wineserver -w
expect_present "installed into C:\Autre\VP" "$moved/VexomaPellora.exe"
expect_absent "the copy in C:\Outils\VP is gone, with the folders made for it" "$WINEPREFIX/drive_c/Outils"
check_entry_of 'C:\Autre\VP' "$moved"
read_entry
wine "$probe" run "$(entry_value QuietUninstallString)" >/dev/null 2>&1 || true
wineserver -w
snapshot custom-after
for kind in files values; do
    expect_none "nothing of the copies in folders of the user's choice is left ($kind)" \
        "$(only_in "custom-after.$kind" "after.$kind" | grep -vE "$uninstaller_leftovers" || true)"
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
# NSIS's own way: started without _?=, the uninstaller runs from a copy in the temporary folder
# and its status says nothing (wineserver -w waits for the copy).
wine "$installed/uninstall.exe" /S >/dev/null 2>&1 || true
wineserver -w
snapshot beside-after
for kind in files values; do
    expect_none "the other program and its folder are as they were ($kind)" \
        "$(only_in "beside.$kind" "beside-after.$kind" | grep -vE "$uninstaller_leftovers" || true)"
    expect_none "nothing of the second install is left ($kind)" \
        "$(only_in "beside-after.$kind" "beside.$kind" | grep -vE "$uninstaller_leftovers" || true)"
done

wine_suite_end
