#!/usr/bin/env bash
# The panel from the keyboard alone, on a private X server with a tray host: a second launch
# opens the panel (no click), Enter picks (the arrow keys move the loupe, Enter takes the
# pixel), Tab and Enter copy a row, the arrow keys choose a recent colour, Shift+Tab goes
# back, Escape closes. The clipboard is read by another program (xclip) at each step; the
# pointer is only placed where the loupe starts, never clicked.
# Usage: keyboard-e2e.sh EXECUTABLE
set -uo pipefail
app=$1
# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
e2e_stop_at_first_failure=1
e2e_app_log=$work/app.log

start_xvfb 1024x768
show_two_colour_desktop
start_trayer --edge top --align right --widthtype pixel --width 48 --heighttype pixel \
    --height 24 --SetDockType true --transparent false

panel_shown() { xdotool search --onlyvisible --name '^Morvane Color Picker$' >/dev/null 2>&1; }
overlay_shown() { covers_screen "$app_pid"; }
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
keys() {
    xdotool key --delay 80 "$@"
    sleep 0.3
}

# Enter on the focused "Pick a color", then Enter in the loupe at $1,$2 (moved two pixels
# right with the arrow keys first).
pick_at() {
    xdotool mousemove "$1" "$2"
    keys Return
    wait_for 30 overlay_shown || fail "Enter on the pick button started no pick"
    sleep 0.5 # drawn and grabbing
    keys Right Right Return
    wait_for 30 panel_shown || fail "the panel did not come back after the pick"
    sleep 0.5
}

"$app" >>"$work/app.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
wait_for 60 bash -c "[ \"\$(import -window root -crop 24x24+1000+0 -depth 8 \
    -format '%[fx:minima.intensity<0.3]' info:)\" = 1 ]" || fail "timed out waiting for the tray icon"

# A second launch opens the running copy's panel, focused on "Pick a color".
"$app" >>"$work/app.log" 2>&1
wait_for 30 panel_shown || fail "a second launch did not open the panel"
sleep 0.5

pick_at 200 500
wait_for 30 clipboard_is '#3A7BD5' || fail "the keyboard pick did not copy #3A7BD5"
pick_at 800 500
wait_for 30 clipboard_is '#D5803A' || fail "the second keyboard pick did not copy #D5803A"

# Tab, Tab: the RGB row's copy button.
keys Tab Tab Return
wait_for 30 clipboard_is '213, 128, 58' || fail "Tab, Tab, Enter did not copy the RGB value"

# Tab, Tab: the recent colours (newest first); Right: the older one, Enter uses it. Back with
# Shift+Tab through the rows to the HEX row's copy button, which copies it.
keys Tab Tab Right Return
keys shift+Tab shift+Tab shift+Tab space
wait_for 30 clipboard_is '#3A7BD5' || fail "the recent colour chosen from the keyboard is not current"

keys Escape
wait_for 30 bash -c "! xdotool search --onlyvisible --name '^Morvane Color Picker\$'" ||
    fail "Escape did not close the panel"

e2e_finish "the panel picks, copies and takes a recent colour from the keyboard alone"
