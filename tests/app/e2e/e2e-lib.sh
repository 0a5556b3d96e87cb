# shellcheck shell=bash
# Shared by the end-to-end scripts; source it after "set -u" (with or without -e):
#   source "$(dirname "$0")/e2e/e2e-lib.sh"
# It makes a private work folder ($work, removed at exit) and private HOME, XDG_CONFIG_HOME
# and XDG_RUNTIME_DIR inside it, and kills every pid a script adds to $pids at exit.
# A check that fails calls fail MESSAGE. By default the script carries on and ends with
# e2e_finish; a script whose every step needs the one before sets e2e_stop_at_first_failure=1
# and fail ends it at once.

work=$(mktemp -d)
pids=()
failures=0
e2e_stop_at_first_failure=0
# The application's output, shown when the test fails; a script sets it to the file it uses.
e2e_app_log=
# The exit status await_exit read.
status=
# Screen size of the X server from start_xvfb.
screen_width=
screen_height=

e2e_cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap e2e_cleanup EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# An X11 session whatever the calling desktop is.
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP
export QT_QPA_PLATFORM=xcb XDG_SESSION_TYPE=x11
# A leak report at exit would turn a clean exit status into a failure of the wrong kind.
export ASAN_OPTIONS=${ASAN_OPTIONS:-}:detect_leaks=0

e2e_show_app_log() {
    if [ -n "$e2e_app_log" ] && [ -s "$e2e_app_log" ]; then
        echo "--- application output ($(basename "$e2e_app_log"))" >&2
        cat "$e2e_app_log" >&2
    fi
}

# Reports a failed check. The screen at the first failure is kept as
# ${E2E_ARTIFACTS:-/tmp}/SCRIPT-failure.png.
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
    if [ "$failures" -eq 1 ] && [ -n "${DISPLAY:-}" ] &&
        import -window root "$work/failure.png" 2>/dev/null; then
        cp "$work/failure.png" "${E2E_ARTIFACTS:-/tmp}/$(basename "$0" .sh)-failure.png" \
            2>/dev/null || true
    fi
    if [ "$e2e_stop_at_first_failure" = 1 ]; then
        e2e_show_app_log
        exit 1
    fi
}

# Ends the script: exit 1 after any failed check, else prints MESSAGE.
e2e_finish() {
    if [ "$failures" -ne 0 ]; then
        e2e_show_app_log
        exit 1
    fi
    echo "$*"
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Runs the command after $1 until it succeeds, for up to $1 seconds; returns 1 when it never
# does. Its output is dropped.
wait_for() {
    local deadline=$(($(now_ms) + $1 * 1000))
    shift
    until "$@" >/dev/null 2>&1; do
        if [ "$(now_ms)" -ge "$deadline" ]; then return 1; fi
        sleep 0.1
    done
}

is_gone() { ! kill -0 "$1" 2>/dev/null; }

# Sets status to the exit status of background process $1, or 255 when it does not end in
# $2 seconds. (Not a command substitution: a subshell cannot wait for its parent's children.)
await_exit() {
    status=255
    wait_for "$2" is_gone "$1" || return 0
    status=0
    # shellcheck disable=SC2034 # read by the caller
    wait "$1" || status=$?
}

# Starts a private X server of WIDTHxHEIGHT (24-bit) on a free display and exports DISPLAY.
start_xvfb() {
    screen_width=${1%x*}
    screen_height=${1#*x}
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    if ! wait_for 60 test -s "$work/display"; then
        echo "FAIL: Xvfb did not start" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    exec 3>&-
    DISPLAY=:$(head -n1 "$work/display")
    export DISPLAY
}

# Starts trayer with the given options and waits for its window; sets trayer_pid. A trayer
# that ends at once (now and then it cannot open a display that was just started, on a
# machine where other X servers come and go) is started again.
start_trayer() {
    local attempt
    for attempt in 1 2 3; do
        trayer "$@" >>"$work/trayer.log" 2>&1 &
        trayer_pid=$!
        pids+=("$trayer_pid")
        wait_for 20 bash -c "xdotool search --name '^panel$' || ! kill -0 $trayer_pid" &&
            kill -0 "$trayer_pid" 2>/dev/null && return 0
        kill "$trayer_pid" 2>/dev/null || true
        wait "$trayer_pid" 2>/dev/null || true
        echo "trayer did not start ($(tail -n 1 "$work/trayer.log")); again" >&2
    done
    fail "timed out waiting for the tray: $(tail -n 5 "$work/trayer.log")"
}

# "#RRGGBB" of the screen pixel at $1,$2.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1
}

# Shows a desktop of two known colours: #3A7BD5 on the left half, #D5803A on the right, in a
# window of its own (it repaints itself whenever it is uncovered; a root background may not).
show_two_colour_desktop() {
    local half=$((screen_width / 2))
    convert -size "${half}x$screen_height" xc:'#3A7BD5' -size "${half}x$screen_height" \
        xc:'#D5803A' +append "$work/desktop.png"
    display -geometry +0+0 -immutable "$work/desktop.png" >"$work/display.log" 2>&1 &
    pids+=($!)
    wait_for 60 e2e_pixel_is $((half / 2)) $((screen_height / 2)) '#3A7BD5' ||
        fail "timed out waiting for the desktop picture"
}

e2e_pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }

# A visible window of process $1 covering the whole screen (the pick overlay).
covers_screen() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        xdotool getwindowgeometry --shell "$window" 2>/dev/null | grep -qx "WIDTH=$screen_width" &&
            xdotool getwindowgeometry --shell "$window" 2>/dev/null |
            grep -qx "HEIGHT=$screen_height" && return 0
    done
    return 1
}
