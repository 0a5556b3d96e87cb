#!/usr/bin/env bash
# usage: run-wlroots-bench.sh BENCH_BINARY [ROUNDS [IDLE_SECONDS [IDLE_ROUNDS]]]
# Runs the wlroots sampler benchmark on a headless Sway with one output of 1920x1080, then
# one of 3840x2160. Targets: a pick shows its overlay within 1.5x one grim capture of the
# same outputs; a pick after 30 s idle within 2x. Sway refuses root: as root, the compositor
# and the benchmark run as a user made for it (the build tree must be readable by that user).
set -euo pipefail
binary=$(realpath "$1")
shift
command -v sway >/dev/null && command -v grim >/dev/null || { echo "needs sway and grim"; exit 1; }

# shellcheck source=headless-sway.sh
source "$(dirname "$0")/headless-sway.sh"

for size in 1920x1080 3840x2160; do
    echo "== output $size"
    start_headless_sway "$size"
    status=0
    "${as_user[@]}" env -i HOME="$run" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$run" \
        WAYLAND_DISPLAY="$display" QT_QPA_PLATFORM=offscreen "$binary" "$@" || status=$?
    kill "$sway"
    wait "$sway" 2>/dev/null || true
    rm -rf "$run"
    [ $status = 0 ] || exit $status
done
