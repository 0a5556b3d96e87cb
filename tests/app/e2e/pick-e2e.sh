#!/usr/bin/env bash
# End to end on a private X server: "--pick" with no copy running (it starts one, which keeps
# running), with a copy running, and cancelled; then SIGTERM ends the copy in order, and
# the clipboard goes to a clipboard manager.
# Usage: pick-e2e.sh EXECUTABLE X11-CLIPBOARD-MANAGER
set -uo pipefail

app=$1
clipboard_manager=$2
work=$(mktemp -d)
failures=0
pids=()

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP
export QT_QPA_PLATFORM=xcb XDG_SESSION_TYPE=x11
# A leak report at exit would turn a clean exit status into a failure of the wrong kind.
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0
lock=$XDG_RUNTIME_DIR/dev.morvane.colorpicker.lock
conf=$XDG_CONFIG_HOME/morvane/colorpicker.conf

cleanup() {
    [ -n "${detached:-}" ] && kill "$detached" 2>/dev/null
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    local deadline=$(($(now_ms) + $1 * 1000))
    shift
    until "$@"; do
        [ "$(now_ms)" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

is_gone() { ! kill -0 "$1" 2>/dev/null; }

# Sets status to the exit status of background process $1, or 255 when it does not end in
# $2 seconds.
await_exit() {
    status=255
    wait_for "$2" is_gone "$1" || return
    wait "$1"
    status=$?
}

# The pid of the running copy, from its lock file.
running_copy() { [ -s "$lock" ] && head -n1 "$lock"; }

# A visible window of the running copy covering the whole screen: the pick overlay.
overlay_shown() {
    local window copy
    copy=$(running_copy) || return 1
    for window in $(xdotool search --onlyvisible --pid "$copy" 2>/dev/null); do
        xdotool getwindowgeometry --shell "$window" 2>/dev/null | grep -qx 'WIDTH=1024' &&
            xdotool getwindowgeometry --shell "$window" | grep -qx 'HEIGHT=768' && return 0
    done
    return 1
}

# Starts "--pick" in the background; sets picker.
start_pick() {
    "$app" --pick >"$work/pick.out" 2>"$work/pick.err" &
    picker=$!
    pids+=("$picker")
}

# Clicks at $1,$2 once the overlay is up.
click_at() {
    wait_for 30 overlay_shown || { fail "no pick overlay"; return; }
    sleep 0.5 # drawn and grabbing
    xdotool mousemove "$1" "$2"
    sleep 0.3
    xdotool click 1
}

clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }

# --- a display with two known colours (no tray host: a pick does not go through the tray) --
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/display" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
convert -size 512x768 xc:'#3A7BD5' -size 512x768 xc:'#D5803A' +append "$work/desktop.png"
display -geometry +0+0 -immutable "$work/desktop.png" >/dev/null 2>&1 &
pids+=($!)

# --- no copy running: --pick starts one, which picks and stays -----------------------------
start_pick
click_at 200 500
await_exit "$picker" 30
[ "$status" -eq 0 ] || fail "--pick without a running copy: exit status $status"
[ "$(cat "$work/pick.out")" = "#3A7BD5" ] || fail "--pick printed '$(cat "$work/pick.out")'"
[ -s "$work/pick.err" ] && fail "--pick wrote to standard error: $(cat "$work/pick.err")"
detached=$(running_copy)
[ -n "$detached" ] && kill -0 "$detached" 2>/dev/null || fail "the started copy did not stay"
wait_for 10 clipboard_is '#3A7BD5' || fail "the clipboard does not hold the picked colour"
# Saved off the pick's path, within a second.
wait_for 1 grep -q '^colorpicker.currentHex=#3A7BD5$' "$conf" || fail "the pick was not stored"

# --- a cancel: exit 1, nothing on standard output, one line on standard error -------------
start_pick
wait_for 30 overlay_shown || fail "no pick overlay for the cancel"
sleep 0.5
xdotool key Escape
await_exit "$picker" 30
[ "$status" -eq 1 ] || fail "a cancelled --pick: exit status $status"
[ -s "$work/pick.out" ] && fail "a cancelled --pick printed '$(cat "$work/pick.out")'"
[ "$(wc -l <"$work/pick.err")" -eq 1 ] || fail "a cancel gave no one-line reason"
kill -0 "$detached" 2>/dev/null || fail "the copy quit on a cancel"
[ "$(running_copy)" = "$detached" ] || fail "a cancelled --pick started another copy"

kill -TERM "$detached"
wait_for 20 is_gone "$detached" || fail "the started copy ignored SIGTERM"
detached=

# --- a copy running (this script's child): --pick, then SIGTERM with a clipboard manager ---
"$app" >"$work/app.out" 2>"$work/app.err" &
copy=$!
pids+=("$copy")
wait_for 30 test -S "$XDG_RUNTIME_DIR/dev.morvane.colorpicker.socket" ||
    fail "the copy does not listen"
"$clipboard_manager" >"$work/manager.out" 2>"$work/manager.err" &
pids+=($!)
wait_for 10 grep -qx ready "$work/manager.out" || fail "the clipboard manager did not start"

start_pick
click_at 800 300
await_exit "$picker" 30
[ "$status" -eq 0 ] || fail "--pick with a running copy: exit status $status"
[ "$(cat "$work/pick.out")" = "#D5803A" ] || fail "--pick printed '$(cat "$work/pick.out")'"
[ "$(running_copy)" = "$copy" ] || fail "--pick with a running copy started another"
wait_for 10 clipboard_is '#D5803A' || fail "the clipboard does not hold the second colour"
wait_for 1 grep -q 'colorpicker.recentHexes=.*#D5803A.*#3A7BD5' "$conf" || fail "the recents are $(grep recent "$conf")"

kill -TERM "$copy"
await_exit "$copy" 20
[ "$status" -eq 0 ] || fail "SIGTERM: exit status $status (the default action gives 143)"
wait_for 10 grep -qx 'saved #D5803A' "$work/manager.out" ||
    fail "the clipboard manager got '$(cat "$work/manager.out")' at quit"

if [ "$failures" -ne 0 ]; then
    echo "--- application standard error" >&2
    cat "$work/app.err" >&2
    exit 1
fi
echo "all pick checks passed"
