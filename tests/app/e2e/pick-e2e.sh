#!/usr/bin/env bash
# End to end on a private X server: "--pick" with no display, with no copy running (it starts
# one, which keeps running), with a copy running, cancelled, and into standard output that
# does not take the colour; then SIGTERM ends the copy in order, and the clipboard goes to a
# clipboard manager.
# Usage: pick-e2e.sh EXECUTABLE X11-CLIPBOARD-MANAGER
set -uo pipefail

app=$1
clipboard_manager=$2
# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
e2e_app_log=$work/app.err
lock=$XDG_RUNTIME_DIR/dev.morvane.colorpicker.lock
conf=$XDG_CONFIG_HOME/morvane/colorpicker.conf

# The copy a "--pick" started is no child of this script.
trap '[ -n "${detached:-}" ] && kill "$detached" 2>/dev/null; e2e_cleanup' EXIT

# The pid of the running copy, from its lock file.
running_copy() { [ -s "$lock" ] && head -n1 "$lock"; }

# A visible window of the running copy covering the whole screen: the pick overlay.
overlay_shown() {
    local copy
    copy=$(running_copy) || return 1
    covers_screen "$copy"
}

overlay_gone() { ! overlay_shown; }

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

# --- no display and no copy: said at once, not after the 30 s wait for a copy -------------
started=$(now_ms)
env -u DISPLAY -u WAYLAND_DISPLAY "$app" --pick >"$work/pick.out" 2>"$work/pick.err"
status=$?
elapsed=$(($(now_ms) - started))
[ "$status" -eq 1 ] || fail "--pick without a display: exit status $status"
[ "$elapsed" -lt 10000 ] || fail "--pick without a display took ${elapsed} ms"
grep -q "no display" "$work/pick.err" || fail "--pick without a display said '$(cat "$work/pick.err")'"
running_copy >/dev/null && fail "--pick without a display started a copy"

# --- a display with two known colours (no tray host: a pick does not go through the tray) --
start_xvfb 1024x768
show_two_colour_desktop

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
wait_for 1 grep -q 'colorpicker.recentHexes=.*#D5803A.*#3A7BD5' "$conf" ||
    fail "the recents are $(grep recent "$conf")"

# --- standard output that does not take the colour: exit 1 and the colour on standard error -
for sink in full closed pipe; do
    rm -f "$work/lost.status"
    case $sink in
    full) { "$app" --pick >/dev/full 2>"$work/lost.err"; echo $? >"$work/lost.status"; } & ;;
    closed) { "$app" --pick >&- 2>"$work/lost.err"; echo $? >"$work/lost.status"; } & ;;
    pipe) { "$app" --pick 2>"$work/lost.err"; echo $? >"$work/lost.status"; } | true & ;;
    esac
    pids+=($!)
    click_at 800 300
    wait_for 30 test -s "$work/lost.status" || fail "--pick into $sink output did not end"
    [ "$(cat "$work/lost.status")" = 1 ] ||
        fail "--pick into $sink output: exit status $(cat "$work/lost.status")"
    [ "$(wc -l <"$work/lost.err")" -eq 1 ] && grep -q "#D5803A" "$work/lost.err" ||
        fail "--pick into $sink output said '$(cat "$work/lost.err")'"
    wait_for 10 overlay_gone || fail "the overlay stayed after the pick into $sink output"
done

kill -TERM "$copy"
await_exit "$copy" 20
[ "$status" -eq 0 ] || fail "SIGTERM: exit status $status (the default action gives 143)"
wait_for 10 grep -qx 'saved #D5803A' "$work/manager.out" ||
    fail "the clipboard manager got '$(cat "$work/manager.out")' at quit"

e2e_finish "all pick checks passed"
