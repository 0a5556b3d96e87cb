#!/usr/bin/env bash
# Installs what is needed, builds the application in release mode and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target morvane-color-picker
exec build/release/app/morvane-color-picker "$@"
