#!/usr/bin/env bash
# Checks that every tracked C++ file is formatted with the repository's clang-format
# (.clang-format); names the files that are not and exits non-zero. `clang-format -i FILE`
# formats one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh lint
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run -Werror "${files[@]}" 2>/dev/null; then
    echo "Not formatted (clang-format -i fixes them):" >&2
    for file in "${files[@]}"; do
        clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || echo "    $file" >&2
    done
    exit 1
fi
