# Which Wine loader starts our programs on this machine. Source it.
#
# Debian's /usr/bin/wine is a wrapper that picks the 32-bit loader whenever wine32 is
# installed. Some kernels cannot run 32-bit programs at all (built without IA32 emulation, as
# many micro-VMs are): there, once wine32 is installed, every `wine` call fails, 64-bit
# programs included. So the machine is asked once whether it runs 32-bit programs, and where
# it does not, the 64-bit loader is started directly, with WINELOADER pointing at it, as the
# wrapper itself does when wine32 is absent.
#
# The answer is kept in the environment (VP_RUNS_32BIT=yes|no, with the reason in
# VP_RUNS_32BIT_WHY), so that the suites a test command starts do not ask again.
#
# VP_WINE_LOADER32 and VP_WINE_LOADER64 name the two loaders (Debian's by default); a test
# points them elsewhere to play a machine it is not on.

VP_WINE_LOADER32=${VP_WINE_LOADER32:-/usr/lib/wine/wine}
VP_WINE_LOADER64=${VP_WINE_LOADER64:-/usr/lib/wine/wine64}

# Runs the smallest 32-bit Linux program there is (it calls exit(0) through int 0x80) and
# prints what the kernel said; its status is the program's. Needs no package, so it can
# decide whether wine32 is worth installing at all.
vp_ia32_probe() {
    local dir status=0
    dir=$(mktemp -d "${TMPDIR:-/tmp}/vp-ia32.XXXXXX")
    # ELF header (52 bytes), one loadable segment (32 bytes), then the code at 0x08048054:
    # mov eax, 1; xor ebx, ebx; int 0x80.
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$dir/probe"
    printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$dir/probe"
    printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$dir/probe"
    printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$dir/probe"
    printf '\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000' >>"$dir/probe"
    printf '\270\001\000\000\000\061\333\315\200' >>"$dir/probe"
    chmod +x "$dir/probe"
    ("$dir/probe") 2>&1 || status=$?
    rm -rf "$dir"
    return "$status"
}

# Decides, once, whether this machine runs 32-bit programs: by the 32-bit Wine loader itself
# when it is installed (it may be there and still unable to start), otherwise by the probe.
vp_detect_32bit() {
    [[ -n "${VP_RUNS_32BIT:-}" ]] && return 0
    local said status=0 asked
    if [[ -e "$VP_WINE_LOADER32" ]]; then
        asked="$VP_WINE_LOADER32 --version"
        said=$("$VP_WINE_LOADER32" --version 2>&1) || status=$?
    else
        asked="a 32-bit test program"
        said=$(vp_ia32_probe) || status=$?
    fi
    if ((status == 0)); then
        VP_RUNS_32BIT=yes
        VP_RUNS_32BIT_WHY="$asked ran"
    else
        # Bash names itself and the line before the kernel's words ("...: line 3: PATH:
        # cannot execute binary file: Exec format error"); keep the kernel's words.
        said=$(sed 's/^.*: line [0-9]*: [^:]*: //' <<<"$said" | tr '\n' ' ')
        VP_RUNS_32BIT=no
        VP_RUNS_32BIT_WHY="$asked failed with status $status${said:+: ${said% }}"
    fi
    export VP_RUNS_32BIT VP_RUNS_32BIT_WHY
}

vp_runs_32bit() {
    vp_detect_32bit
    [[ $VP_RUNS_32BIT == yes ]]
}

# The command that starts a (64-bit) Windows program: Debian's wrapper where 32-bit programs
# run, as before; the 64-bit loader directly where they do not.
vp_wine_loader() {
    if vp_runs_32bit; then
        echo wine
    else
        echo "$VP_WINE_LOADER64"
    fi
}

# Runs Wine with the loader chosen above.
vp_wine() {
    if vp_runs_32bit; then
        command wine "$@"
    else
        WINELOADER=$VP_WINE_LOADER64 "$VP_WINE_LOADER64" "$@"
    fi
}

# Checks that the chosen loader starts at all, and says what failed if it does not: the
# loader's own message and status, never a silent end.
vp_wine_check() {
    local said status=0 loader
    loader=$(vp_wine_loader)
    said=$(vp_wine --version 2>&1) || status=$?
    if ((status != 0)); then
        {
            echo "error: Wine does not start: '$loader --version' failed with status $status:"
            printf '%s\n' "${said:-(no message)}" | sed 's/^/    /'
            echo "       32-bit programs on this machine: $VP_RUNS_32BIT ($VP_RUNS_32BIT_WHY)."
        } >&2
        return 1
    fi
}

# The 32-bit line the test command and the 32-bit suites print where they cannot run.
VP_NO_32BIT_LINE="this machine cannot run 32-bit programs: the 32-bit suites are skipped"
