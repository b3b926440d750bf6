#!/usr/bin/env bash
# End to end under Wine: the Win32 services where neither a cleaning run of the other suites
# nor the contract suites (contract.sh) show them (extended paths, a registry link in a path,
# environment, the memory checks' refusals, changes made between a listing and a deletion).
#
# Usage: tests/wine/e2e-services.sh build/mingw64
source "$(dirname "$0")/lib.sh"
wine_driver "${1:-build/mingw64}"
wine_scratch_begin

echo "Service contracts"
mkdir -p "$WINEPREFIX/drive_c/scratch"
if e2e services 'C:\scratch' >"$WINE_SCRATCH/services.out"; then
    pass "$(grep -c '^ok - ' "$WINE_SCRATCH/services.out") service checks"
else
    fail "service checks"
    sed 's/^/        /' "$WINE_SCRATCH/services.out"
fi

wine_suite_end
