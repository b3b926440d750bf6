#!/usr/bin/env bash
# Sets up and runs every check: the format check (scripts/format-check.sh) and clang-tidy
# (scripts/lint.sh) first, then through CTest the simulated platform's unit tests (plain and
# with AddressSanitizer/UBSan), then both Windows cross builds with the suites under Wine
# (tests/wine/, on 64-bit and on 32-bit Wine). Each preset leaves a JUnit report in
# build/<preset>/junit.xml and its whole output in build/logs/. On a machine that cannot run
# 32-bit programs (scripts/wine-loader.sh finds out once), the 32-bit build is still made and
# its suites are skipped, with one line that says so. Started as root, it makes an unprivileged
# user (scripts/wine-user.sh) and the suites under Wine run as that user.
#
# Usage: scripts/test-all.sh [-v|--verbose]   (or VP_VERBOSE=1: every build and test line)
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-} in
-v | --verbose) export VP_VERBOSE=1 ;;
"") ;;
*) echo "usage: scripts/test-all.sh [-v|--verbose]" >&2; exit 2 ;;
esac
source scripts/quiet-steps.sh
source scripts/wine-loader.sh
source scripts/wine-user.sh
vp_detect_32bit # once, for install-deps.sh and every suite below

scripts/install-deps.sh test
started=$SECONDS
if vp_wine_drops_root; then
    # Root hides faults under Wine (it changes and deletes what a user may not).
    vp_wine_user_ensure
    echo "Started as root: the suites under Wine run as the unprivileged user $VP_WINE_USER."
fi

# Runs one of the static checks quietly and prints its time.
check_step() {
    local what=$1 name=$2 from=$SECONDS
    shift 2
    printf '%-58s' "$what..."
    vp_quietly "$name" "$@" || return 1
    echo " clean, $((SECONDS - from)) s"
}

# Builds a preset (all of it, or the targets given), runs its tests and prints CTest's verdict.
build_and_test() {
    local preset=$1 what=$2 from=$SECONDS status=0
    shift 2
    printf '%-58s' "$what ($preset)..."
    vp_build "$preset" "$@" || return 1
    vp_quietly "$preset-tests" ctest --preset "$preset" -j "$(nproc)" --output-junit junit.xml || status=$?
    if vp_verbose; then
        return "$status"
    fi
    local verdict
    verdict=$(grep -E 'tests passed|tests failed' "$VP_LOGS/$preset-tests.log" | tail -n1)
    echo " ${verdict:-no verdict}, $((SECONDS - from)) s"
    return "$status"
}

check_step "Format (clang-format, every C++ file)" format scripts/format-check.sh
# clang-tidy takes about three minutes over the whole tree on two cores, a fifth of the run: the
# test command lints the C++ files the last commit changed (a merge: everything it brought in),
# VP_LINT_ALL=1 every file, as scripts/lint.sh alone does.
lint_files=()
if [[ -z ${VP_LINT_ALL:-} ]] && git rev-parse -q --verify HEAD~1 >/dev/null; then
    mapfile -t lint_files < <(git diff --name-only --diff-filter=d HEAD~1 HEAD -- 'src/*.cpp')
fi
if [[ -n ${VP_LINT_ALL:-} ]] || ! git rev-parse -q --verify HEAD~1 >/dev/null; then
    check_step "Lint (clang-tidy, every file of the logic and the Win32 code)" lint scripts/lint.sh
elif ((${#lint_files[@]})); then
    check_step "Lint (clang-tidy, the ${#lint_files[@]} source files the last commit changed)" \
        lint scripts/lint.sh "${lint_files[@]}"
fi
build_and_test sim "Unit tests on the simulated platform"
build_and_test sim-asan "The same with AddressSanitizer and UBSan" vp_tests
# The 32-bit build first: the release check among the 64-bit suites packs both builds.
printf '%-58s' "The 32-bit build (mingw32)..."
vp_build mingw32
echo " built"
build_and_test mingw64 "Suites under Wine, 64-bit build"
if vp_runs_32bit; then
    build_and_test mingw32 "Suites under Wine, 32-bit build"
else
    echo "$VP_NO_32BIT_LINE ($VP_RUNS_32BIT_WHY)."
fi
echo "All tests passed in $((SECONDS - started)) s; JUnit reports in build/<preset>/junit.xml."
