#!/usr/bin/env bash
# Checks every C and C++ source of the project against the repository's .clang-format;
# prints the places that differ and exits non-zero when any file would change.
# `scripts/check-format.sh --fix` rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=(--dry-run -Werror)
[ "${1:-}" = "--fix" ] && mode=(-i)
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z -- '*.c' '*.cpp' '*.h'
else
    find . -path ./build -prune -o -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) \
        -print0
fi | xargs -0 clang-format --style=file "${mode[@]}"
