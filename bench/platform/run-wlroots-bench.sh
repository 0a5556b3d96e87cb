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

as_user=()
if [ "$(id -u)" = 0 ]; then
    user=morvane-sway-e2e
    id -u "$user" >/dev/null 2>&1 ||
        useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
    as_user=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --clear-groups)
fi

for size in 1920x1080 3840x2160; do
    echo "== output $size"
    run=$(mktemp -d)
    [ ${#as_user[@]} = 0 ] || chown "$user" "$run"
    chmod 700 "$run"
    printf 'xwayland disable\noutput HEADLESS-1 resolution %s position 0 0 scale 1 bg #2E86C1 solid_color\n' \
        "$size" >"$run/config"
    "${as_user[@]}" env -i HOME="$run" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$run" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$run/config" >"$run/sway.log" 2>&1 &
    sway=$!
    display=
    for _ in $(seq 200); do
        for socket in "$run"/wayland-*; do [ -S "$socket" ] && display=${socket##*/}; done
        [ -n "$display" ] && break
        sleep 0.05
    done
    sleep 0.5 # the output and its background
    status=0
    "${as_user[@]}" env -i HOME="$run" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$run" \
        WAYLAND_DISPLAY="$display" QT_QPA_PLATFORM=offscreen "$binary" "$@" || status=$?
    kill "$sway"
    wait "$sway" 2>/dev/null || true
    rm -rf "$run"
    [ $status = 0 ] || exit $status
done
