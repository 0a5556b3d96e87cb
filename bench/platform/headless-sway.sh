# Sourced by the Sway benchmarks: a headless Sway with one output (pixman renderer, no
# input devices). Sway refuses root: as root, it and its clients run as a user made for it
# (the build tree must be readable by that user); as_user is the command prefix for that.
#   start_headless_sway SIZE   starts it at SIZE (WxH); sets run (its runtime folder, also
#                              the home), display (its socket's name) and sway (its pid)
as_user=()
if [ "$(id -u)" = 0 ]; then
    user=morvane-sway-e2e
    id -u "$user" >/dev/null 2>&1 ||
        useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
    as_user=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --clear-groups)
fi

start_headless_sway() {
    run=$(mktemp -d)
    [ ${#as_user[@]} = 0 ] || chown "$user" "$run"
    chmod 700 "$run"
    printf 'xwayland disable\noutput HEADLESS-1 resolution %s position 0 0 scale 1 bg #2E86C1 solid_color\n' \
        "$1" >"$run/config"
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
}
