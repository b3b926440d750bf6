# A small demo profile for the scratch Wine prefix: junk in the temporary folder, typed
# addresses, Run history and archiver lists in the registry, a file in the recycle bin. Source
# it after tests/wine/lib.sh and wine_scratch_begin; everything lands inside the scratch
# prefix and its scratch HOME.

demo_profile_temp() {
    echo "$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Temp"
}

demo_profile_seed() {
    local temp
    temp=$(demo_profile_temp)
    mkdir -p "$temp/setup-cache/parts"
    printf 'install log\r\n' >"$temp/demo-installer.log"
    printf 'scratch' >"$temp/~DF3A1C.tmp"
    head -c 4096 /dev/zero >"$temp/setup-cache/parts/part1.bin"
    head -c 4096 /dev/zero >"$temp/setup-cache/parts/part2.bin"
    printf 'read-only leftovers' >"$temp/setup-cache/locked.dat"
    chmod a-w "$temp/setup-cache/locked.dat"

    mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
    printf 'old notes' >"$XDG_DATA_HOME/Trash/files/old-notes.txt"
    printf '[Trash Info]\nPath=%s/old-notes.txt\nDeletionDate=2026-01-01T10:00:00\n' "$HOME" \
        >"$XDG_DATA_HOME/Trash/info/old-notes.txt.trashinfo"

    local reg="$WINE_SCRATCH/demo.reg"
    {
        printf 'REGEDIT4\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\TypedURLs]\r\n'
        printf '"url1"="http://www.example.com/"\r\n"url2"="http://news.example.org/"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU]\r\n'
        printf '"a"="notepad\\\\1"\r\n"b"="regedit\\\\1"\r\n"MRUList"="ba"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory]\r\n'
        printf '"0"="C:\\\\archives\\\\photos.rar"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Nico Mak Computing\\WinZip\\filemenu]\r\n'
        printf '"filemenu1"="C:\\\\archives\\\\letters.zip"\r\n\r\n'
    } >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    # The prefix's server must not outlive this step: started without the display, it would
    # leave the window no screen to open on.
    wineserver -w
}

# What is left of the demo profile, to compare with what the run log said.
demo_profile_report() {
    local temp
    temp=$(demo_profile_temp)
    echo "Left in the demo profile's temporary folder:"
    (cd "$temp" && find . -mindepth 1 | sort | sed 's/^/    /')
    echo "Left in the recycle bin:"
    (cd "$XDG_DATA_HOME/Trash/files" 2>/dev/null && find . -mindepth 1 | sort | sed 's/^/    /')
}
