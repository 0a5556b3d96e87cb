#!/usr/bin/env bash
# Installs what is needed, then checks and runs everything:
#   1. the formatting of every C and C++ source (scripts/check-format.sh),
#   2. the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer (preset asan),
#   3. the telemetry suite under ThreadSanitizer (preset tsan),
#   4. the desktop entry, metadata and manual page, and the Debian package (lintian, an
#      install test),
#   5. the telemetry fuzz targets for a bounded time.
# Needs no display: the suite runs on a private D-Bus session bus, and the tests
# that need an X server start their own Xvfb. Exits non-zero when any step fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
status=0

configure_and_build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
}

run_suite() {
    local preset=$1
    # A private runtime folder and session bus; no display of the caller's leaks in.
    local runtime
    runtime=$(mktemp -d)
    chmod 700 "$runtime"
    env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS \
        XDG_RUNTIME_DIR="$runtime" \
        dbus-run-session -- ctest --preset "$preset" -j "$jobs" || status=1
    rm -rf "$runtime"
}

echo "== Formatting"
bash scripts/check-format.sh || status=1

echo "== ASan + UBSan build: every test"
configure_and_build asan
run_suite asan

echo "== TSan build: telemetry"
configure_and_build tsan
run_suite tsan

echo "== Desktop integration and Debian package"
bash scripts/check-package.sh || status=1

if [ -x scripts/fuzz.sh ]; then
    echo "== Fuzzing"
    bash scripts/fuzz.sh || status=1
fi

exit $status
