#!/usr/bin/env bash
# The global pick key, end to end on a private X server with no tray host: the key starts a
# pick from anywhere, a click puts the colour on the clipboard and the window comes back; again
# with Num Lock on. With the key on, closing the window keeps the application running and
# says so once in the window; the key still picks, and a launch shows the window again.
# Usage: pick-key-e2e.sh EXECUTABLE X11-CLOSE-WINDOW
set -uo pipefail

app=$1
close_window=$2
# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
e2e_app_log=$work/app.log

# A bus of this test's own: no tray host on it.
dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
pids+=($!)
wait_for 30 test -s "$work/bus" || fail "the private bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

start_xvfb 1024x768
show_two_colour_desktop
mkdir -p "$XDG_CONFIG_HOME/morvane"
printf '[General]\ncolorpicker.pickShortcut=Meta+Shift+C\n' >"$XDG_CONFIG_HOME/morvane/colorpicker.conf"

main_window() { xdotool search --onlyvisible --name '^Morvane Color Picker$' 2>/dev/null | head -1; }
has_main_window() { [ -n "$(main_window)" ]; }
has_no_main_window() { [ -z "$(main_window)" ]; }
overlay_shown() { covers_screen "$app_pid"; }
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }

press_key_until_overlay() {
    xdotool key super+shift+c
    wait_for 1 overlay_shown
}

# Presses the key, then clicks at $1,$2 in the overlay. The key is pressed again while no
# pick starts: right after launch the desktop may not have answered whether it is bound.
pick_with_key_at() {
    wait_for 30 press_key_until_overlay || { fail "the key started no pick"; return; }
    sleep 0.5 # drawn and grabbing
    xdotool mousemove "$1" "$2"
    sleep 0.3
    xdotool click 1
}

"$app" >>"$work/app.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
wait_for 30 has_main_window || fail "no window at launch"

pick_with_key_at 200 500
wait_for 30 clipboard_is '#3A7BD5' || fail "the key's pick did not reach the clipboard"
wait_for 30 has_main_window || fail "the window did not come back after the key's pick"

xdotool key Num_Lock
pick_with_key_at 800 500
wait_for 30 clipboard_is '#D5803A' || fail "the key did not pick with Num Lock on"
xdotool key Num_Lock

# Closing with the key on: the first close explains and keeps the window; the second hides it.
window_height() { xdotool getwindowgeometry --shell "$(main_window)" | sed -n 's/^HEIGHT=//p'; }
height=$(window_height)
"$close_window" "$(main_window)" || fail "the close request failed"
sleep 1
kill -0 "$app_pid" 2>/dev/null || fail "closing the window ended the application though the key is on"
has_main_window || fail "the first close did not keep the window to explain"
[ "$(window_height)" -gt "$height" ] || fail "the window shows no words on why it stays"
"$close_window" "$(main_window)"
wait_for 30 has_no_main_window || fail "the second close did not hide the window"
kill -0 "$app_pid" 2>/dev/null || fail "the application ended at the second close"

pick_with_key_at 200 500
wait_for 30 has_main_window || fail "the key's pick did not bring the window back"
"$close_window" "$(main_window)"
wait_for 30 has_no_main_window || fail "the window did not hide again"
"$app" >>"$work/app.log" 2>&1
wait_for 30 has_main_window || fail "a launch did not show the hidden window"

e2e_finish "the key picks (with Num Lock too), and keeps the application running when its window closes"
