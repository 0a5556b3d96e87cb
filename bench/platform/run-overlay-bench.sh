#!/usr/bin/env bash
# usage: run-overlay-bench.sh BENCH_BINARY
# Runs the overlay sampler benchmark on a private Xvfb screen of 1920x1080 and one of
# 3840x2160, each with a private session bus that ends with it. Targets: the first pick
# and one after the idle release show the loupe within 1.5x one Qt grab; a paste succeeds
# within 1.2x the time to own the clipboard; no event-loop stall over 5 ms after the click;
# at most one screen image of extra memory after a pick.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$1
shift
for size in 1920x1080 3840x2160; do
    echo "== screen $size"
    dbus-run-session -- "$here/../../tests/platform/with-xvfb.sh" "$size" "$binary" "$@"
done
