#!/usr/bin/env bash
# End to end under Wine: every Win32 service against its contract (registry, files, memory,
# environment, Internet cache, URL history), then the recycle bin through the shell service.
#
# Usage: tests/wine/e2e-services.sh build/mingw64
source "$(dirname "$0")/lib.sh"
wine_driver "${1:-build/mingw64}"
wine_scratch_begin

echo "Service contracts"
mkdir -p "$WINEPREFIX/drive_c/scratch"
cat >"$WINE_SCRATCH/seed.txt" <<'SEED'
cache	http://www.example.com/page.html	normal	page
cache	Cookie:user@example.com/	cookie	id=1
SEED
e2e seed "Z:$WINE_SCRATCH/seed.txt"
if e2e services 'C:\scratch' >"$WINE_SCRATCH/services.out"; then
    pass "$(tail -n 1 "$WINE_SCRATCH/services.out")"
else
    fail "service checks"
    sed 's/^/        /' "$WINE_SCRATCH/services.out"
fi

echo "Recycle bin"
trash="$XDG_DATA_HOME/Trash"
mkdir -p "$trash/files" "$trash/info"
for name in one.txt two.txt; do
    echo trashed >"$trash/files/$name"
    printf '[Trash Info]\nPath=/tmp/%s\nDeletionDate=2026-01-01T10:00:00\n' "$name" \
        >"$trash/info/$name.trashinfo"
done
e2e empty-bin >"$WINE_SCRATCH/bin.out"
expect_lines "both shell calls report success" "$WINE_SCRATCH/bin.out" <<'OUT'
empty 0 update 0
OUT
expect_absent "a trashed file is gone" "$trash/files/one.txt"
expect_absent "its trash record is gone" "$trash/info/one.txt.trashinfo"
expect_absent "the other trashed file is gone" "$trash/files/two.txt"

wine_suite_end
