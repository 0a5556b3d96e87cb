#!/usr/bin/env bash
# The tray icon under a real XEmbed tray (trayer on a private Xvfb), on a light and on a dark
# tint: enough of its pixels stand out from the tray at 3:1 or more, read from the screen.
#   tray-icon-contrast-e2e.sh APP_BINARY
set -euo pipefail
app_binary=$1
# shellcheck source=e2e/e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e/e2e-lib.sh"
e2e_stop_at_first_failure=1
e2e_app_log=$work/app.log

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

start_xvfb 1024x768

for tint in FFFFFF DCDAD5 202020 000000; do
    start_trayer --edge top --align right --widthtype pixel --width 48 --heighttype pixel \
        --height 24 --SetDockType true --transparent true --tint "0x$tint" --alpha 0
    "$app_binary" >>"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
    # The icon is drawn once it covers more than a few pixels of the slot.
    wait_for 60 bash -c "[ \"\$(import -window root -crop 24x24+1000+0 \
        -depth 8 -format '%[fx:standard_deviation>0.1]' info:)\" = 1 ]" ||
        fail "timed out waiting for the tray icon on #$tint"
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
