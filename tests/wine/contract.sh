#!/usr/bin/env bash
# The services' contract suites (tests/platform/contract) on the Win32 platform: the same
# GoogleTest cases the simulated platform and the preview pass natively, here on the real
# services under Wine, in a scratch prefix of their own.
#
# Usage: tests/wine/contract.sh build/mingw64 [GOOGLETEST ARGUMENTS...]
source "$(dirname "$0")/lib.sh"
wine_build "${1:-build/mingw64}"
CONTRACT=$VP_BUILD/tests/win32/contract/vp_contract_tests.exe
[[ -f "$CONTRACT" ]] || { echo "missing $CONTRACT: build the ${VP_BUILD##*/} preset first" >&2; exit 1; }
wine_scratch_begin

echo "Contract suites"
status=0
wine "$CONTRACT" --gtest_color=no "${@:2}" 2>&1 | tr -d '\r' >"$WINE_SCRATCH/contract.out" ||
    status=$?
if ((status == 0)) && grep -q '^\[  PASSED  \]' "$WINE_SCRATCH/contract.out"; then
    pass "$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p' "$WINE_SCRATCH/contract.out") contract tests"
    # What Wine cannot show is skipped, with its reason.
    awk '/: Skipped$/ { getline reason; next }
         /^\[  SKIPPED \] Contract/ && reason != "" { print "  skip  " $4 ": " reason; reason = "" }' \
        "$WINE_SCRATCH/contract.out"
else
    fail "contract tests (status $status)"
    sed 's/^/        /' "$WINE_SCRATCH/contract.out"
fi

wine_suite_end
