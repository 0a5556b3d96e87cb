#!/usr/bin/env bash
# The picker without a tray host, end to end on a private X server with openbox and a private
# session bus: the main window at launch (decorated, listed for taskbars), the move into a
# tray that starts (trayer, XEmbed) and back out when it stops, a second launch raising the
# window, closing it ending the application; then the same through a StatusNotifierWatcher
# (the fake) whose host comes and goes.
# Usage: window-mode-e2e.sh EXECUTABLE X11-CLOSE-WINDOW FAKE-STATUS-NOTIFIER-WATCHER
set -uo pipefail

app=$1
close_window=$2
fake_watcher=$3
# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
e2e_app_log=$work/app.log

# A bus of this test's own: no other test's watcher is seen here.
dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
pids+=($!)
wait_for 30 test -s "$work/bus" || fail "the private bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

start_xvfb 1024x768
show_two_colour_desktop
# A window manager: it decorates ordinary windows and lists them for taskbars.
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 30 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
    fail "openbox did not start"

main_window() { xdotool search --onlyvisible --name '^Morvane Color Picker$' 2>/dev/null | head -1; }
has_main_window() { [ -n "$(main_window)" ]; }
has_no_main_window() { [ -z "$(main_window)" ]; }

launch() {
    "$app" >>"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
}

# --- no tray host: the main window, with a taskbar entry -------------------------------
launch
wait_for 30 has_main_window || fail "no window at a launch without a tray host"
window=$(main_window)
xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_NORMAL ||
    fail "the main window is not an ordinary window"
! xprop -id "$window" _NET_WM_STATE | grep -q SKIP_TASKBAR ||
    fail "the main window has no taskbar entry"
xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$window")" ||
    fail "the window manager does not list the main window"
wait_for 30 bash -c "xprop -id $window _NET_FRAME_EXTENTS | grep -q '= [1-9]'" ||
    fail "the main window is not decorated"
eval "$(xdotool getwindowgeometry --shell "$window")"
inside_x=$((X + WIDTH / 2))
inside_y=$((Y + HEIGHT / 2))

# --- a second launch raises it above a window that covers it -----------------------------
display -geometry +0+0 -immutable "$work/desktop.png" >/dev/null 2>&1 &
pids+=($!)
wait_for 30 e2e_pixel_is "$inside_x" "$inside_y" '#3A7BD5' || fail "nothing covered the window"
"$app" >>"$work/app.log" 2>&1 &
second=$!
await_exit "$second" 30
[ "$status" -eq 0 ] || fail "the second launch ended with $status"
wait_for 30 bash -c "[ \"\$(import -window root -crop 1x1+$inside_x+$inside_y -depth 8 txt:- |
    grep -o '#[0-9A-F]\{6\}' | head -1)\" != '#3A7BD5' ]" ||
    fail "the second launch did not raise the window"

# --- a tray host starts: into the tray; it stops: the window again -----------------------
start_trayer --edge top --align right --widthtype pixel --width 48 --heighttype pixel \
    --height 24 --SetDockType true --transparent false
wait_for 30 has_no_main_window || fail "the window stayed after a tray host started"
wait_for 30 bash -c "[ \"\$(import -window root -crop 24x24+1000+0 -depth 8 \
    -format '%[fx:minima.intensity<0.3]' info:)\" = 1 ]" || fail "no tray icon in the new tray"
kill "$trayer_pid"
wait_for 30 has_main_window || fail "the window did not return when the tray host stopped"

# --- closing the window ends the application ---------------------------------------------
"$close_window" "$(main_window)" || fail "the close request failed"
await_exit "$app_pid" 30
[ "$status" -eq 0 ] || fail "closing the window: exit status $status (255: still running)"

# --- a StatusNotifierItem host: the tray from the start; the host goes: the window -------
coproc watcher { "$fake_watcher"; }
pids+=("$watcher_PID")
read -r -t 30 line <&"${watcher[0]}" && [ "$line" = ready ] || fail "the fake watcher did not start"
echo host >&"${watcher[1]}"
read -r -t 30 line <&"${watcher[0]}" # ok
launch
read -r -t 30 line <&"${watcher[0]}" && [[ $line == item* ]] ||
    fail "the tray item did not register with the watcher"
sleep 1 # the window would have been decided by now
has_no_main_window || fail "a window at a launch with a StatusNotifierItem host"
echo nohost >&"${watcher[1]}"
wait_for 30 has_main_window || fail "no window after the StatusNotifierItem host went"
echo host >&"${watcher[1]}"
wait_for 30 has_no_main_window || fail "the window stayed when the host came back"

e2e_finish "window mode: shown without a tray host, raised by a second launch, follows XEmbed and StatusNotifierItem hosts both ways, closing quits"
