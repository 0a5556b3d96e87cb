#!/usr/bin/env bash
# The panel through the real accessibility bus: a private session bus with at-spi-bus-launcher,
# the application registered (QT_LINUX_ACCESSIBILITY_ALWAYS_ON); accessibility-probe.py opens
# its panel with a second launch, finds it by the focus it takes, walks its accessible tree,
# checks names and roles, presses controls through AT-SPI and listens for the announcements.
# Usage: accessibility-e2e.sh EXECUTABLE
set -uo pipefail
app=$1
# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
e2e_stop_at_first_failure=1
e2e_app_log=$work/app.log

dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
pids+=($!)
wait_for 30 test -s "$work/bus" || fail "the private bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

start_xvfb 1024x768
show_two_colour_desktop
start_trayer --edge top --align right --widthtype pixel --width 48 --heighttype pixel \
    --height 24 --SetDockType true --transparent false

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1 &
pids+=($!)
wait_for 30 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress || fail "at-spi-bus-launcher did not start"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

"$app" >>"$work/app.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
wait_for 60 bash -c "[ \"\$(import -window root -crop 24x24+1000+0 -depth 8 \
    -format '%[fx:minima.intensity<0.3]' info:)\" = 1 ]" || fail "timed out waiting for the tray icon"
# The probe opens the panel with a second launch, once it listens.
/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/accessibility-probe.py" "$app_pid" "$app" ||
    fail "the accessibility probe found faults"

e2e_finish "names, roles, actions and announcements read through the accessibility bus"
