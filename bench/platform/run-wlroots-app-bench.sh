#!/usr/bin/env bash
# usage: run-wlroots-app-bench.sh APP_BINARY PROBE_BINARY [PROCESSES [IDLE_SECONDS]]
# The real application's picks on a headless Sway, timed from outside by wayland-focus-probe
# (a separate client that loses the keyboard when the overlay maps), beside their floor in
# the same run: one `grim` capture of the same output, process start included. For each of
# PROCESSES fresh copies (each with a fresh home, started as a user starts it): `--pick` 3 s
# after start (the process's first pick), again at once, and again after IDLE_SECONDS (35 by
# default: past the 30 s release). Then `--pick` with no copy running (the exec starts one).
# At 1920x1080, then 3840x2160. Targets: a pick at most 1.5x the floor, after idle at most 2x.
# Sway refuses root: as root, everything runs as a user made for it (the build tree must be
# readable by that user).
set -euo pipefail
app=$(realpath "$1")
probe=$(realpath "$2")
processes=${3:-3}
idle=${4:-35}
for tool in sway grim wtype; do
    command -v $tool >/dev/null || { echo "needs sway, grim and wtype"; exit 1; }
done

# shellcheck source=headless-sway.sh
source "$(dirname "$0")/headless-sway.sh"

pids=() run=
# A copy started by a cold "--pick" is no child of ours: its id is the first line of the
# single-instance lock it holds in the runtime folder we gave it.
stop_started_copy() {
    local lock=$run/dev.morvane.colorpicker.lock copy
    [ -n "$run" ] && [ -f "$lock" ] || return 0
    copy=$(head -n 1 "$lock")
    [[ $copy =~ ^[0-9]+$ ]] || return 0
    [ "$(readlink "/proc/$copy/exe")" = "$(readlink -f "$app")" ] || return 0
    kill "$copy" 2>/dev/null || return 0
    while kill -0 "$copy" 2>/dev/null; do sleep 0.05; done
}
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    stop_started_copy
    wait 2>/dev/null || true
    [ -z "$run" ] || rm -rf "$run"
    pids=() run=
}
trap cleanup EXIT

# Runs a command of the session's user in place of the calling shell, with the current copy's
# home. in_session runs it in a subshell; spawn_in_session in the background, where $! is
# the command's own process id (setpriv and env exec it), kept for the end.
session_command() {
    exec "${as_user[@]}" env -i HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$run" \
        WAYLAND_DISPLAY="$display" XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=wayland "$@"
}
in_session() { (session_command "$@"); }
spawn_in_session() {
    session_command "$@" &
    pids+=($!)
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "nan") }'; }
row() { # row LABEL FILE TARGET FLOOR
    local value
    value=$(median <"$2")
    awk -v label="$1" -v v="$value" -v floor="$4" -v target="$3" -v n="$(wc -l <"$2")" 'BEGIN {
        r = v / floor
        printf "  %-34s %7.1f ms (median of %d)  %5.2fx", label, v, n, r
        if (target != "") printf "  (target <= %s) %s", target, (r <= target ? "ok" : "OVER")
        printf "\n" }'
}

for size in 1920x1080 3840x2160; do
    echo "== output $size"
    start_headless_sway "$size"
    pids+=($sway)
    home=$run
    # A keyboard for the whole session, as a user has one: the headless seat has none, and
    # wtype's own keyboard comes and goes with each call.
    spawn_in_session wtype -s 3600000 </dev/null >/dev/null 2>&1
    for _ in $(seq 100); do
        in_session swaymsg -t get_inputs 2>/dev/null | grep -q '"type": "keyboard"' && break
        sleep 0.05
    done

    coproc PROBE { in_session "$probe" 2>"$run/probe.log"; }
    read -r -t 10 ready <&"${PROBE[0]}" && [ "$ready" = READY ] || {
        echo "the probe did not start"; cat "$run/probe.log"; exit 1; }
    ask() { # ask COMMAND...: one answer's figure, appended to the file named by $into
        echo "$*" >&"${PROBE[1]}"
        local answer
        read -r -t 30 answer <&"${PROBE[0]}"
        [[ $answer =~ ^[A-Z]+\ [0-9.]+$ ]] || { echo "no answer to '$*': $answer"; return 1; }
        echo "${answer#* }" >>"$into"
    }
    : >"$run/grim" >"$run/first" >"$run/again" >"$run/idle" >"$run/cold"
    for process in $(seq "$processes"); do
        home=$(mktemp -d -p "$run")
        [ ${#as_user[@]} = 0 ] || chown "$user" "$home"
        spawn_in_session "$app" >"$home/app.log" 2>&1
        copy=$!
        sleep 3
        into=$run/grim ask grim
        into=$run/first ask pick "$app" --pick
        into=$run/grim ask grim
        into=$run/again ask pick "$app" --pick
        sleep "$idle"
        into=$run/idle ask pick "$app" --pick
        into=$run/grim ask grim
        kill "$copy"
        while kill -0 "$copy" 2>/dev/null; do sleep 0.05; done
        # With no copy running: the exec starts the application, which picks.
        home=$(mktemp -d -p "$run")
        [ ${#as_user[@]} = 0 ] || chown "$user" "$home"
        into=$run/cold ask pick env HOME="$home" "$app" --pick
        sleep 1
        stop_started_copy
    done
    floor=$(median <"$run/grim")
    printf '  floor: one grim capture, %.1f ms (median of %d)\n' "$floor" "$(wc -l <"$run/grim")"
    row "--pick 3 s after start (first)" "$run/first" 1.5 "$floor"
    row "--pick again at once" "$run/again" 1.5 "$floor"
    row "--pick after ${idle} s idle" "$run/idle" 2 "$floor"
    row "--pick with no copy running" "$run/cold" "" "$floor"
    exec {PROBE[1]}>&-
    cleanup
done
