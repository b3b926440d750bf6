# A small demo profile for the scratch Wine prefix, made only of what the boxes checked when
# the window opens clean: junk in the temporary folder (one file read-only), typed addresses,
# the archivers' recent lists, a file in the recycle bin. Source it after tests/wine/lib.sh and
# wine_scratch_begin; everything lands inside the scratch prefix and its scratch HOME.

# The registry keys seeded, under HKEY_CURRENT_USER.
DEMO_PROFILE_KEYS=(
    'Software\Microsoft\Internet Explorer\TypedURLs'
    'Software\WinRAR\ArcHistory'
    'Software\Nico Mak Computing\WinZip\filemenu'
)

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
        printf '[HKEY_CURRENT_USER\\%s]\r\n' "${DEMO_PROFILE_KEYS[0]}"
        printf '"url1"="http://www.example.com/"\r\n"url2"="http://news.example.org/"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\%s]\r\n' "${DEMO_PROFILE_KEYS[1]}"
        printf '"0"="C:\\\\archives\\\\photos.rar"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\%s]\r\n' "${DEMO_PROFILE_KEYS[2]}"
        printf '"filemenu1"="C:\\\\archives\\\\letters.zip"\r\n\r\n'
    } >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    # The prefix's server must not outlive this step: started without the display, it would
    # leave the window no screen to open on. Its end also writes the registry to user.reg.
    wineserver -w
}

# What the demo profile holds now, one "place<TAB>item" line each, read from the prefix's own
# files (the registry from user.reg, written when the prefix's server ended).
demo_profile_state() {
    local temp
    temp=$(demo_profile_temp)
    (cd "$temp" && find . -mindepth 1 -type f | sort | sed 's|^\./||; s|/|\\|g; s|^|temp\t|')
    (cd "$XDG_DATA_HOME/Trash/files" && find . -mindepth 1 | sort | sed 's|^\./||; s|^|trash\t|')
    local key line name value on
    for key in "${DEMO_PROFILE_KEYS[@]}"; do
        on=false
        while IFS= read -r line; do
            line=${line%$'\r'}
            if [[ $line == \[* ]]; then
                line=${line%%] *}
                line=${line#[}
                [[ ${line//\\\\/\\} == "$key" ]] && on=true || on=false
            elif $on && [[ $line == \"* ]]; then
                line=${line//\\\\/\\}
                name=${line%%\"=*}
                value=${line#*\"=}
                value=${value#\"}
                printf 'HKCU\\%s\t%s = %s\n' "$key" "${name#\"}" "${value%\"}"
            fi
        done <"$WINEPREFIX/user.reg"
    done
}

# The before-and-after table of the profile: every place seeded, what it held before the run
# and what is left ("rien" where nothing is).
demo_profile_compare() {
    local before=$1 after=$2 temp place
    temp='C:\users\'"${USER:-$(id -un)}"'\Temp'
    echo
    echo "Profil de démonstration, avant et après le nettoyage :"
    for place in temp trash "${DEMO_PROFILE_KEYS[@]/#/HKCU\\}"; do
        case $place in
        temp) echo "  Dossier temporaire $temp" ;;
        trash) echo "  Corbeille" ;;
        *) echo "  Registre $place" ;;
        esac
        local when file
        for when in avant après; do
            [[ $when == avant ]] && file=$before || file=$after
            PLACE=$place awk -F '\t' -v when="$when" '
                $1 == ENVIRON["PLACE"] { printf "    %-7s %s\n", (n++ ? "" : when " :"), $2 }
                END { if (!n) printf "    %-7s rien\n", when " :" }' "$file"
        done
    done
}
