#!/usr/bin/env bash
# The pick as a user sees it: the real application, started in a fresh home on a private X
# server (1920x1080, then 3840x2160) with an XEmbed tray host, driven by a separate X client
# (pick-latency-probe) that clicks its tray icon and "Pick a color" and watches the screen
# and the clipboard. Each of SESSIONS fresh processes picks 3 s after start (the first pick),
# then WARM times at once (warm picks), runs "--pick" WARM times while it runs, and picks
# again 35 s later (after the 30 s idle release). "--pick" with no copy running is timed
# from its exec in SESSIONS fresh homes.
# Floors, measured in the same run: one warm Qt grab of the screen (morvane-floor-grab) and
# the start-up of a minimal Qt tray program until its icon is embedded (morvane-floor-tray).
# Every figure is a median; targets:
#   first pick and pick after the idle release, click to loupe: <= 1.5x a warm pick and
#     <= 2.5x one warm grab
#   warm pick, click to loupe: <= 1.7x one warm grab
#   click on the overlay to text readable: <= 1.2x click to clipboard owned, in every pick
#   --pick with a copy running, exec to loupe: <= 1.5x the warm pick from the panel
#   --pick with no copy running, exec to loupe: <= 1.3x (floor start-up + warm pick)
# Usage: bench/platform/run-pick-bench.sh BUILD-DIR [SESSIONS [WARM [SIZES]]]
#   BUILD-DIR is a configured (release) build tree; the programs are built there.
set -euo pipefail
build=${1:?usage: run-pick-bench.sh BUILD-DIR [SESSIONS [WARM [SIZES]]]}
sessions=${2:-3}
warm=${3:-3}
sizes=${4:-1920x1080 3840x2160}
idle_seconds=${PICK_BENCH_IDLE:-35}

cmake --build "$build" -j2 --target morvane-color-picker morvane-floor-tray morvane-floor-grab \
    tray-startup-probe pick-latency-probe >/dev/null || { echo "build failed" >&2; exit 1; }
app=$build/app/morvane-color-picker
floor_tray=$build/bench/app/morvane-floor-tray
floor_grab=$build/bench/platform/morvane-floor-grab
launcher=$build/bench/app/tray-startup-probe
probe=$build/bench/platform/pick-latency-probe

work=$(mktemp -d)
runtime=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
helpers=()
stop_helpers() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    helpers=()
}
trap 'stop_helpers; rm -rf "$work" "$runtime"' EXIT

unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP
export QT_QPA_PLATFORM=xcb XDG_SESSION_TYPE=x11

median() { sort -g | awk '{v[NR]=$1} END {if (NR == 0) print -1; else print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
# The median of column $2 of file $1, over the lines where it was measured.
column() { awk -v c="$2" '$c >= 0 {print $c}' "$1" | median; }

# Makes a fresh home, configuration and runtime folder: sets fresh_env to their variables.
fresh_home() {
    local dir=$work/home-$RANDOM$RANDOM run_time=$runtime/run-$RANDOM$RANDOM
    mkdir -p "$dir/config" "$dir/home"
    mkdir -m 700 "$run_time"
    fresh_env=(HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$run_time")
}

start_display() {
    local size=$1
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    helpers+=($!)
    exec 3>&-
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n1 "$work/display")
    : >"$work/display"
    dbus-daemon --session --nofork --nopidfile --print-address=4 4>"$work/bus" 2>/dev/null &
    helpers+=($!)
    for _ in $(seq 100); do [ -s "$work/bus" ] && break; sleep 0.1; done
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    : >"$work/bus"
    trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
    helpers+=($!)
    sleep 1
}

# One fresh process through its picks; appends to the files of each kind.
session() {
    local line pid icon
    fresh_home
    line=$(env "${fresh_env[@]}" "$launcher" launch 20 "$app")
    read -r pid _ icon <<<"$line"
    sleep 3
    "$probe" panel "$pid" "$icon" >>"$work/first.txt" || echo "first pick failed" >&2
    for _ in $(seq "$warm"); do
        "$probe" panel "$pid" "$icon" >>"$work/warm.txt" || echo "warm pick failed" >&2
    done
    "$probe" close "$pid"
    for _ in $(seq "$warm"); do
        # The copy's own home, so the command finds it.
        env "${fresh_env[@]}" "$probe" command "$app" --pick >>"$work/command.txt" ||
            echo "--pick failed" >&2
        sleep 0.5
    done
    sleep "$idle_seconds"
    "$probe" panel "$pid" "$icon" >>"$work/idle.txt" || echo "pick after idle failed" >&2
    kill "$pid"
    while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
}

# "--pick" in a fresh home with no copy running; the copy it starts is stopped after.
cold_command() {
    local line copy
    fresh_home
    line=$(env "${fresh_env[@]}" "$probe" command "$app" --pick) || echo "cold --pick failed" >&2
    echo "$line" >>"$work/cold.txt"
    copy=$(awk '{print $3}' <<<"$line")
    if [ -n "$copy" ] && [ "$copy" -gt 0 ]; then
        kill "$copy" 2>/dev/null || true
        while kill -0 "$copy" 2>/dev/null; do sleep 0.05; done
    fi
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2fx", (a >= 0 && b > 0) ? a / b : 0}'; }
row() { printf '%-38s %9s  %-26s %9s %7s  %s\n' "$@"; }

for size in $sizes; do
    start_display "$size"
    for kind in first warm command idle cold grab tray; do : >"$work/$kind.txt"; done
    for run in $(seq "$sessions"); do
        fresh_home
        env "${fresh_env[@]}" "$floor_grab" 9 >>"$work/grab.txt"
        env "${fresh_env[@]}" "$launcher" cost 20 "$floor_tray" >>"$work/tray.txt"
        session
        cold_command
        echo "$size: session $run/$sessions done" >&2
    done
    stop_helpers

    grab=$(column "$work/grab.txt" 1)
    tray=$(column "$work/tray.txt" 1)
    for kind in first warm idle; do
        for c in 1 2 3 4; do eval "${kind}_$c=\$(column \"\$work/$kind.txt\" $c)"; done
    done
    command_loupe=$(column "$work/command.txt" 2)
    cold_loupe=$(column "$work/cold.txt" 2)
    cold_floor=$(awk -v a="$tray" -v b="$warm_2" 'BEGIN {print a + b}')

    echo "== screen $size: medians of $sessions fresh processes ($warm warm picks and --pick runs each), ms"
    row "" "measured" "floor" "" "ratio" "target"
    row "floor: one warm Qt grab" "$grab" "" "" "" ""
    row "floor: minimal Qt tray start-up" "$tray" "" "" "" ""
    row "first pick, click to overlay mapped" "$first_1" "" "" "" ""
    row "first pick, click to loupe" "$first_2" "warm pick" "$warm_2" "$(ratio "$first_2" "$warm_2")" "<= 1.5x"
    row "" "" "one warm grab" "$grab" "$(ratio "$first_2" "$grab")" "<= 2.5x"
    row "after idle release, to overlay mapped" "$idle_1" "" "" "" ""
    row "after idle release, to loupe" "$idle_2" "warm pick" "$warm_2" "$(ratio "$idle_2" "$warm_2")" "<= 1.5x"
    row "" "" "one warm grab" "$grab" "$(ratio "$idle_2" "$grab")" "<= 2.5x"
    row "warm pick, click to overlay mapped" "$warm_1" "" "" "" ""
    row "warm pick, click to loupe" "$warm_2" "one warm grab" "$grab" "$(ratio "$warm_2" "$grab")" "<= 1.7x"
    for kind in first warm idle; do
        eval "owned=\$${kind}_3 readable=\$${kind}_4"
        row "$kind pick, click to text readable" "$readable" "click to clipboard owned" "$owned" "$(ratio "$readable" "$owned")" "<= 1.2x"
    done
    row "--pick with a copy, exec to loupe" "$command_loupe" "warm pick" "$warm_2" "$(ratio "$command_loupe" "$warm_2")" "<= 1.5x"
    row "--pick with no copy, exec to loupe" "$cold_loupe" "tray start-up + warm pick" "$cold_floor" "$(ratio "$cold_loupe" "$cold_floor")" "<= 1.3x"
done
