#!/usr/bin/env bash
# Installs what is needed, then builds and runs every test:
#   1. the whole suite under AddressSanitizer and UndefinedBehaviorSanitizer,
#   2. the telemetry suite under ThreadSanitizer,
#   3. the desktop entry, metadata and manual page, and the Debian package (lintian, an
#      install test),
#   4. the telemetry fuzz targets for a bounded time.
# Needs no display: the suite runs on a private D-Bus session bus, and the tests
# that need an X server start their own Xvfb. Exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
status=0

configure_and_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVANE_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

run_suite() {
    local dir=$1
    shift
    # A private runtime folder and session bus; no display of the caller's leaks in.
    local runtime
    runtime=$(mktemp -d)
    chmod 700 "$runtime"
    env -u DISPLAY -u WAYLAND_DISPLAY -u DBUS_SESSION_BUS_ADDRESS \
        XDG_RUNTIME_DIR="$runtime" \
        dbus-run-session -- ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs" "$@" || status=1
    rm -rf "$runtime"
}

echo "== ASan + UBSan build: every test"
configure_and_build build/asan -DMORVANE_SANITIZE=address
run_suite build/asan

echo "== TSan build: telemetry"
configure_and_build build/tsan -DMORVANE_SANITIZE=thread -DMORVANE_TELEMETRY_ONLY=ON \
    -DMORVANE_BUILD_BENCH=OFF
run_suite build/tsan -L telemetry

echo "== Desktop integration and Debian package"
bash scripts/check-package.sh || status=1

if [ -x scripts/fuzz.sh ]; then
    echo "== Fuzzing"
    bash scripts/fuzz.sh || status=1
fi

exit $status
