#!/usr/bin/env bash
# The tray icon under a real XEmbed tray (trayer on a private Xvfb), on a light and on a dark
# tint: enough of its pixels stand out from the tray at 3:1 or more, read from the screen.
#   tray-icon-contrast-e2e.sh APP_BINARY
set -euo pipefail
app_binary=$1
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Polls a command for up to 60 s (an ASan build on a loaded machine starts slowly).
wait_for() {
    local what=$1
    shift
    for _ in $(seq 1 300); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.2
    done
    fail "timed out waiting for $what"
}

# How many pixels of the tray's icon slot differ from the tint at 3:1 or more (WCAG
# contrast of relative luminances).
strong_pixels() { # strong_pixels RRGGBB
    import -window root -crop 24x24+1000+0 -depth 8 txt:- |
        awk -v r=$((16#${1:0:2})) -v g=$((16#${1:2:2})) -v b=$((16#${1:4:2})) '
        function linear(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : exp(2.4 * log((c + 0.055) / 1.055)) }
        function luminance(r, g, b) { return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b) }
        BEGIN { bar = luminance(r, g, b) }
        /^[0-9]/ {
            split(substr($0, index($0, "(") + 1), c, /[,)]/)
            l = luminance(c[1], c[2], c[3])
            ratio = l > bar ? (l + 0.05) / (bar + 0.05) : (bar + 0.05) / (l + 0.05)
            if (ratio >= 3) n++
        }
        END { print n + 0 }'
}

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for "Xvfb" test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP
export QT_QPA_PLATFORM=xcb XDG_SESSION_TYPE=x11
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

for tint in FFFFFF DCDAD5 202020 000000; do
    trayer --edge top --align right --widthtype pixel --width 48 --heighttype pixel \
        --height 24 --SetDockType true --transparent true --tint "0x$tint" --alpha 0 \
        >>"$work/trayer.log" 2>&1 &
    trayer_pid=$!
    pids+=("$trayer_pid")
    wait_for "the tray" xdotool search --name '^panel$'
    "$app_binary" >>"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
    # The icon is drawn once it covers more than a few pixels of the slot.
    wait_for "the tray icon on #$tint" bash -c "[ \"\$(import -window root -crop 24x24+1000+0 \
        -depth 8 -format '%[fx:standard_deviation>0.1]' info:)\" = 1 ]"
    # Read until the icon has settled (the host may paint it in steps).
    strong=0
    for _ in $(seq 1 25); do
        strong=$(strong_pixels "$tint")
        [ "$strong" -ge 40 ] && break
        sleep 0.2
    done
    echo "on #$tint: $strong of the slot's 576 pixels stand out at 3:1"
    [ "$strong" -ge 40 ] || fail "the tray icon hardly shows on #$tint ($strong pixels at 3:1)"
    kill "$app_pid" "$trayer_pid"
    wait "$app_pid" "$trayer_pid" 2>/dev/null || true
done
