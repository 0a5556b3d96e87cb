#!/usr/bin/env bash
# End to end on a real X server with a real tray host: click the tray icon, the panel
# appears; press "Pick a color" and click a pixel of a known colour; the X clipboard then
# holds its hex. A relaunch shows the colour again in the swatch and as the first chip.
#   tray-pick-e2e.sh APP_BINARY
# With E2E_SCREENSHOT=FILE.png it also saves the reopened panel under the tray.
set -euo pipefail
app_binary=$1
# A private HOME on every run: the first launch must start without a colour.
# shellcheck source=e2e/e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e/e2e-lib.sh"
e2e_stop_at_first_failure=1
e2e_app_log=$work/app.log

start_xvfb 1024x768
# A desktop of two known colours, and a tray in a top panel at the right.
show_two_colour_desktop
start_trayer --edge top --align right --widthtype pixel --width 48 --heighttype pixel \
    --height 24 --SetDockType true --transparent false

launch() {
    "$app_binary" >>"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
    # The tray icon draws dark on the tray's light background, right-aligned.
    wait_for 60 bash -c "[ \"\$(import -window root -crop 24x24+1000+0 -depth 8 \
        -format '%[fx:minima.intensity<0.3]' info:)\" = 1 ]" ||
        fail "timed out waiting for the tray icon"
}

# Clicks the tray icon and waits for the panel; sets panel_x and panel_y.
open_panel() {
    xdotool mousemove 1012 12 click 1
    wait_for 60 xdotool search --onlyvisible --name '^Morvane Color Picker$' ||
        fail "timed out waiting for the panel"
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
overlay_shown() { covers_screen "$app_pid"; }

launch
open_panel
[ "$(pixel $((panel_x + 150)) $((panel_y + 12 + 20)))" != "#3A7BD5" ] ||
    fail "a first launch already shows a colour"

[ "$(pixel 200 500)" = "#3A7BD5" ] || fail "the desktop lost its known colour"
# "Pick a color" sits below the 72-high swatch: 12 + 72 + 12 + 18 from the panel's top.
xdotool mousemove $((panel_x + 150)) $((panel_y + 114)) click 1
wait_for 60 bash -c "! xdotool search --onlyvisible --name '^Morvane Color Picker\$'" ||
    fail "timed out waiting for the panel to step aside"
wait_for 60 overlay_shown || fail "timed out waiting for the sampler's overlay"
sleep 0.5 # drawn and grabbing
xdotool mousemove 200 500
sleep 0.3
xdotool click 1

wait_for 60 bash -c "[ \"\$(xclip -o -selection clipboard)\" = '#3A7BD5' ]" ||
    fail "timed out waiting for the clipboard"
wait_for 60 xdotool search --onlyvisible --name '^Morvane Color Picker$' ||
    fail "timed out waiting for the panel to return"
echo "clipboard holds $(xclip -o -selection clipboard)"

# Saved within a second of the pick, so even an application killed now keeps it.
wait_for 60 grep -q 3A7BD5 "$XDG_CONFIG_HOME/morvane/colorpicker.conf" ||
    fail "timed out waiting for the colour on disk"
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
