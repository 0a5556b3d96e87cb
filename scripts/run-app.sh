#!/usr/bin/env bash
# Installs what is needed, builds the application in release mode and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DMORVANE_BUILD_TESTS=OFF -DMORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target morvane-color-picker
exec build/release/app/morvane-color-picker "$@"
