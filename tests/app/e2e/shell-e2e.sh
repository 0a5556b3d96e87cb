#!/usr/bin/env bash
# End-to-end checks of the built executable on a private X server with a tray host:
# self-test (with and without a display), help, single instance and reopen, settings launch,
# stray arguments and unknown options.
# Usage: shell-e2e.sh EXECUTABLE X11-CLOSE-WINDOW
set -uo pipefail

app=$1
close_window=$2
# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
e2e_app_log=$work/app.err

# Visible top-level windows of a process, as "id title" lines.
visible_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        echo "$id $(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

window_count_is() { [ "$(visible_windows "$1" | wc -l)" -eq "$2" ]; }
has_window_titled() { visible_windows "$1" | grep " $2\$" >/dev/null; }

start_app() {
    "$app" "$@" >>"$work/app.out" 2>>"$work/app.err" &
    pids+=($!)
    last_pid=$!
}

stop_app() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

# The self-test's line goes to the journal when one runs, else to standard error.
logged_line_of() {
    local pid=$1 err=$2
    if [ -S /run/systemd/journal/socket ] && command -v journalctl >/dev/null; then
        journalctl -q -o cat "_PID=$pid" 2>/dev/null
    fi
    cat "$err"
}

# --- a display and a tray host ---------------------------------------------------------
start_xvfb 1280x800
start_trayer --edge top --align right --widthtype request --height 24

# --- informational options need no display ----------------------------------------------
out=$(env -u DISPLAY "$app" --help) || fail "--help exit status $?"
[[ $out == Usage:* ]] || fail "--help prints no usage"
# Qt's own options are accepted, and left to Qt.
out=$(env -u DISPLAY "$app" -style fusion --help) || fail "-style fusion --help exit status $?"
[[ $out == Usage:* ]] || fail "-style fusion --help prints no usage"
out=$(env -u DISPLAY "$app" --version) || fail "--version exit status $?"
[[ $out == "Morvane Color Picker "* ]] || fail "--version prints '$out'"

# --- self-test: one line, exit 0 within a second ----------------------------------------
started=$(now_ms)
"$app" --show-settings --selftest >/dev/null 2>"$work/selftest.err" &
selftest=$!
await_exit "$selftest" 10
elapsed=$(($(now_ms) - started))
[ "$status" -eq 0 ] || fail "self-test exit status $status"
[ "$elapsed" -lt 1000 ] || fail "self-test took ${elapsed} ms"
lines=$(logged_line_of "$selftest" "$work/selftest.err" | grep -c "selftest ok — Morvane Color Picker [0-9]")
[ "$lines" -eq 1 ] || fail "self-test logged $lines matching lines"
grep -q "\[lifecycle\]" "$work/selftest.err" || [ -S /run/systemd/journal/socket ] ||
    fail "self-test line not in category lifecycle"

# --- the self-test needs no display ------------------------------------------------------
for display in "" ":4711"; do
    if [ -z "$display" ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$app" --selftest \
            >/dev/null 2>"$work/selftest.err" &
    else
        # A display that does not answer, with the platform the environment asks for.
        DISPLAY=$display "$app" --selftest >/dev/null 2>"$work/selftest.err" &
    fi
    selftest=$!
    await_exit "$selftest" 10
    [ "$status" -eq 0 ] || fail "self-test with display '$display': exit status $status"
    lines=$(logged_line_of "$selftest" "$work/selftest.err" | grep -c "selftest ok — Morvane")
    [ "$lines" -eq 1 ] || fail "self-test with display '$display' logged $lines matching lines"
done
grep -q "qt.qpa" <(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$app" --selftest 2>&1) &&
    fail "a self-test without a display printed Qt platform errors"

# --- a second launch reopens the running copy ---------------------------------------------
start_app
first=$last_pid
wait_for 20 window_count_is "$first" 1 || fail "the first copy shows no tray icon"
has_window_titled "$first" "Settings — Morvane Color Picker" && fail "settings window at launch"

# A self-test beside it does not touch it.
"$app" --selftest >/dev/null 2>&1 || fail "self-test beside a running copy failed"
sleep 1
window_count_is "$first" 1 || fail "a self-test activated the running copy"

"$app" >/dev/null 2>"$work/second.err" &
second=$!
await_exit "$second" 10
[ "$status" -eq 0 ] || fail "second launch exit status $status"
wait_for 10 window_count_is "$first" 2 || fail "the first copy's panel did not open"
stop_app "$first"

# --- two launches at the same instant leave exactly one -----------------------------------
"$app" >/dev/null 2>&1 &
racer_a=$!
"$app" >/dev/null 2>&1 &
racer_b=$!
pids+=("$racer_a" "$racer_b")
sleep 3
alive=0
for pid in "$racer_a" "$racer_b"; do
    if kill -0 "$pid" 2>/dev/null; then
        alive=$((alive + 1))
        survivor=$pid
    else
        wait "$pid" || fail "the losing launch exited with $?"
    fi
done
[ "$alive" -eq 1 ] || fail "$alive copies run after two simultaneous launches"
[ "$alive" -ge 1 ] && stop_app "$survivor"
for pid in "$racer_a" "$racer_b"; do stop_app "$pid"; done

# --- settings launch: the window shows, closing it ends the process ----------------------
start_app --show-settings
settings=$last_pid
wait_for 20 has_window_titled "$settings" "Settings — Morvane Color Picker" ||
    fail "the settings launch shows no settings window"
window=$(visible_windows "$settings" | grep " Settings — Morvane Color Picker\$" | cut -d' ' -f1)
if [ -n "$window" ]; then
    geometry=$(xdotool getwindowgeometry "$window" | grep Geometry)
    # The fixed form, whatever its tabs hold.
    [[ $geometry == *" 400x320" ]] || fail "settings window $geometry"
    "$close_window" "$window" || fail "the close request for the settings window failed"
    await_exit "$settings" 10
    [ "$status" -eq 0 ] || fail "closing the settings window: exit status $status"
fi
stop_app "$settings"

# --- a stray argument is an ordinary launch -----------------------------------------------
start_app stray -- --selftest
stray=$last_pid
wait_for 20 window_count_is "$stray" 1 || fail "'stray -- --selftest' did not start an ordinary launch"
sleep 1
kill -0 "$stray" 2>/dev/null || fail "'stray -- --selftest' quit"
stop_app "$stray"

# --- an unknown option is refused at once: status 2, one line naming it -------------------
env -u DISPLAY "$app" --selftest=1 >"$work/refused.out" 2>"$work/refused.err"
status=$?
[ "$status" -eq 2 ] && [ ! -s "$work/refused.out" ] && [ "$(wc -l <"$work/refused.err")" -eq 1 ] &&
    grep -q '^morvane-color-picker: unknown option "--selftest=1" (options: --pick, ' "$work/refused.err" ||
    fail "--selftest=1: status $status, '$(cat "$work/refused.out" "$work/refused.err")'"

e2e_finish "all end-to-end checks passed"
