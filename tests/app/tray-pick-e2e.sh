#!/usr/bin/env bash
# End to end on a real X server with a real tray host: click the tray icon, the panel
# appears; press "Pick a color" and click a pixel of a known colour; the X clipboard then
# holds its hex. A relaunch shows the colour again in the swatch and as the first chip.
#   tray-pick-e2e.sh APP_BINARY
# With E2E_SCREENSHOT=FILE.png it also saves the reopened panel under the tray.
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
    import -window root "$work/failure.png" 2>/dev/null &&
        cp "$work/failure.png" "${E2E_ARTIFACTS:-/tmp}/tray-pick-e2e-failure.png" 2>/dev/null
    exit 1
}

# Polls a command for up to 20 s (a loaded machine is slow to map windows).
wait_for() {
    local what=$1
    shift
    for _ in $(seq 1 100); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.2
    done
    fail "timed out waiting for $what"
}

# "#RRGGBB" of one screen pixel.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1
}

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for "Xvfb" test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP
export QT_QPA_PLATFORM=xcb XDG_SESSION_TYPE=x11
# Fresh settings on every run: the first launch must start without a colour.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# A desktop of two known colours, and a tray in a top panel at the right.
convert -size 512x768 xc:'#3A7BD5' -size 512x768 xc:'#D5803A' +append "$work/desktop.png"
# A window of its own repaints itself whenever it is uncovered (a root background may not).
display -geometry +0+0 -immutable "$work/desktop.png" >"$work/display.log" 2>&1 &
pids+=($!)
wait_for "the desktop picture" bash -c "[ \"\$(import -window root -crop 1x1+200+500 -depth 8 \
    txt:- | grep -o '#[0-9A-F]\{6\}')\" = '#3A7BD5' ]"
trayer --edge top --align right --widthtype pixel --width 48 --heighttype pixel --height 24 \
    --SetDockType true --transparent false >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_for "the tray" xdotool search --name '^panel$'

launch() {
    "$app_binary" >>"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
    # The tray icon draws dark on the tray's light background, right-aligned.
    wait_for "the tray icon" bash -c "[ \"\$(import -window root -crop 24x24+1000+0 -depth 8 \
        -format '%[fx:minima.intensity<0.3]' info:)\" = 1 ]"
}

# Clicks the tray icon and waits for the panel; sets panel_x and panel_y.
open_panel() {
    xdotool mousemove 1012 12 click 1
    wait_for "the panel" xdotool search --onlyvisible --name '^Morvane Color Picker$'
    local window
    window=$(xdotool search --onlyvisible --name '^Morvane Color Picker$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    panel_x=$X
    panel_y=$Y
    [ "$WIDTH" -eq 300 ] || fail "the panel is $WIDTH wide"
    [ "$panel_y" -ge 24 ] || fail "the panel is not below the tray (y $panel_y)"
    sleep 0.5 # drawn
}

# A window of the application covering the whole screen.
overlay_shown() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        xdotool getwindowgeometry --shell "$window" | grep -qx 'WIDTH=1024' &&
            xdotool getwindowgeometry --shell "$window" | grep -qx 'HEIGHT=768' && return 0
    done
    return 1
}

launch
open_panel
[ "$(pixel $((panel_x + 150)) $((panel_y + 12 + 20)))" != "#3A7BD5" ] ||
    fail "a first launch already shows a colour"

[ "$(pixel 200 500)" = "#3A7BD5" ] || fail "the desktop lost its known colour"
# "Pick a color" sits below the 72-high swatch: 12 + 72 + 12 + 18 from the panel's top.
xdotool mousemove $((panel_x + 150)) $((panel_y + 114)) click 1
wait_for "the panel to step aside" bash -c \
    "! xdotool search --onlyvisible --name '^Morvane Color Picker\$'"
wait_for "the sampler's overlay" overlay_shown
sleep 0.5 # drawn and grabbing
xdotool mousemove 200 500
sleep 0.3
xdotool click 1

wait_for "the clipboard" bash -c "[ \"\$(xclip -o -selection clipboard)\" = '#3A7BD5' ]"
wait_for "the panel to return" xdotool search --onlyvisible --name '^Morvane Color Picker$'
echo "clipboard holds $(xclip -o -selection clipboard)"

# Saved within a second of the pick, so even an application killed now keeps it.
wait_for "the colour on disk" grep -q 3A7BD5 "$XDG_CONFIG_HOME/morvane/colorpicker.conf"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
launch
open_panel
[ "$(pixel $((panel_x + 150)) $((panel_y + 12 + 20)))" = "#3A7BD5" ] ||
    fail "the relaunched swatch does not show the colour"
# The first chip: 12 in from the left, somewhere below the value rows.
chip_found=no
for y in $(seq $((panel_y + 250)) 4 $((panel_y + 340))); do
    if [ "$(pixel $((panel_x + 25)) "$y")" = "#3A7BD5" ]; then chip_found=yes; fi
done
[ "$chip_found" = yes ] || fail "the relaunched panel shows no chip of the colour"
echo "relaunch shows the colour in the swatch and the first chip"
if [ -n "${E2E_SCREENSHOT:-}" ]; then
    import -window root -crop 420x440+604+0 "$E2E_SCREENSHOT"
fi
