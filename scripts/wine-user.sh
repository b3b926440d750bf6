# The unprivileged user the suites under Wine run as when they are started as root. Source it.
#
# Root hides faults: Wine run as root may change and delete what the user may not (a file
# whose Unix mode is 0444 gets its attributes changed, a folder the user may not write to
# takes new files). Real Wine users are not root, so a suite started as root runs as
# VP_WINE_USER (default "vp-wine"), a system user without a home or a login shell, made here
# on first use; its scratch prefix, HOME and files are then that user's own.

VP_WINE_USER=${VP_WINE_USER:-vp-wine}

# Makes the user when it is missing; several suites starting at once may race to make it.
vp_wine_user_ensure() {
    id -u "$VP_WINE_USER" >/dev/null 2>&1 && return 0
    useradd --system --user-group --no-create-home --home-dir /nonexistent \
        --shell /usr/sbin/nologin "$VP_WINE_USER" >/dev/null 2>&1 || true
    id -u "$VP_WINE_USER" >/dev/null 2>&1 || {
        echo "error: cannot make the unprivileged user $VP_WINE_USER for the suites under Wine" >&2
        return 1
    }
}

# True when the suites started now run as VP_WINE_USER (started as root, and not told
# otherwise with VP_WINE_AS_ROOT=1).
vp_wine_drops_root() { ((EUID == 0)) && [[ -z ${VP_WINE_AS_ROOT:-} ]]; }
