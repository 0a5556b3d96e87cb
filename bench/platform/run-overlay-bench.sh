#!/usr/bin/env bash
# usage: run-overlay-bench.sh BENCH_BINARY [benchmark args...]
# Runs the overlay sampler benchmark on a private Xvfb screen of 1920x1080 and one of
# 3840x2160. Targets: the overlay shows within 1.5 times one raw grab of the same screen;
# a click reaches the handler within 5 ms.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
binary=$1
shift
for size in 1920x1080 3840x2160; do
    echo "== screen $size"
    "$here/../../tests/platform/with-xvfb.sh" "$size" "$binary" "$@"
done
