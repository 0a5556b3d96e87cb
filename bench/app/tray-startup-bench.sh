#!/usr/bin/env bash
# Measures the tray application beside the floor (a minimal Qt 6 tray program) in one run, on
# a private X server with an XEmbed tray host and a private session bus:
#   start-up     time from exec until the tray icon is embedded, and the CPU time (user plus
#                system, all threads) the program spent until then; over LAUNCHES launches
#                of each, each stopped once its icon shows
#   memory       resident (RSS) and anonymous memory 3 s after start, and RSS once the panel
#                has been opened (the floor loads its fonts only then)
#   idle CPU     user+system CPU time over the 10 s after those 3 s
#   panel opens  a click on the icon until the popup is painted: the first and the later ones
# Each figure is the median; the two programs alternate, so both see the same load. Start-up
# varies by a few milliseconds from launch to launch on a virtual machine, hence its many
# launches.
# Targets: start-up <= 1.2x the floor, first open <= 2x the floor, memory <= 1.3x, no idle CPU.
# Usage: bench/app/tray-startup-bench.sh BUILD-DIR [RUNS [LAUNCHES]]
#   BUILD-DIR is a configured (release) build tree; the programs are built there.
#   RUNS (default 5) runs measure memory, idle CPU and panel opens; LAUNCHES (default 25)
#   launches of each program measure start-up.
set -euo pipefail
build=${1:?usage: tray-startup-bench.sh BUILD-DIR [RUNS]}
runs=${2:-5}
launches=${3:-25}
opens=4

cmake --build "$build" -j2 --target morvane-color-picker morvane-floor-tray \
    tray-startup-probe >/dev/null || { echo "build failed" >&2; exit 1; }
app=$build/app/morvane-color-picker
floor=$build/bench/app/morvane-floor-tray
probe=$build/bench/app/tray-startup-probe

work=$(mktemp -d)
# A desktop session's runtime folder is a memory file system; /dev/shm stands in for it.
runtime=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
helpers+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP
export QT_QPA_PLATFORM=xcb XDG_SESSION_TYPE=x11
# A session bus of our own, so nothing autolaunches one that outlives the run.
dbus-daemon --session --nofork --nopidfile --print-address=4 4>"$work/bus" &
helpers+=($!)
for _ in $(seq 100); do [ -s "$work/bus" ] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
helpers+=($!)
sleep 1

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
memory_kib() { awk '/^Rss:/ {rss=$2} /^Anonymous:/ {anon=$2} END {print rss, anon}' "/proc/$1/smaps_rollup"; }

# A fresh home, configuration and runtime folder for one launch: prints the three paths.
fresh_session() {
    local run_dir=$work/run-$RANDOM$RANDOM run_time=$runtime/run-$RANDOM$RANDOM
    mkdir -p "$run_dir/config" "$run_dir/home"
    mkdir -m 700 "$run_time"
    echo "$run_dir/home $run_dir/config $run_time"
}

# One launch stopped when its icon shows: prints "startup_ms cpu_ms minor_faults".
launch_cost() {
    local home config run_time
    read -r home config run_time <<<"$(fresh_session)"
    HOME=$home XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$run_time "$probe" cost 20 "$@"
    sleep 0.3
}

# One measured run: prints "rss_kib anon_kib idle_cpu_ms first_open_ms later_open_ms
# rss_after_opens_kib".
measure() {
    local home config run_time line pid startup icon
    read -r home config run_time <<<"$(fresh_session)"
    line=$(HOME=$home XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$run_time \
        "$probe" launch 20 "$@")
    read -r pid startup icon <<<"$line"
    helpers+=("$pid")
    sleep 3
    local memory before after times
    memory=$(memory_kib "$pid")
    before=$(cpu_ticks "$pid")
    sleep 10
    after=$(cpu_ticks "$pid")
    times=$("$probe" open "$pid" "$icon" "$opens")
    local opened
    opened=$(memory_kib "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    local first later
    first=${times%% *}
    later=$(tr ' ' '\n' <<<"${times#* }" | median)
    echo "$memory $(((after - before) * 1000 / ticks)) $first $later ${opened%% *}"
}

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

: >"$work/app-start.txt"
: >"$work/floor-start.txt"
for launch in $(seq "$launches"); do
    launch_cost "$floor" >>"$work/floor-start.txt"
    launch_cost "$app" >>"$work/app-start.txt"
done
echo "$launches launches of each done" >&2
: >"$work/app.txt"
: >"$work/floor.txt"
for run in $(seq "$runs"); do
    measure "$floor" >>"$work/floor.txt"
    measure "$app" >>"$work/app.txt"
    echo "run $run/$runs done" >&2
done

summary() {
    local file=$1 columns=$2 column
    for column in $(seq "$columns"); do awk -v c=$column '{print $c}' "$file" | median; done | xargs
}
read -r app_start app_start_cpu app_faults <<<"$(summary "$work/app-start.txt" 3)"
read -r floor_start floor_start_cpu floor_faults <<<"$(summary "$work/floor-start.txt" 3)"
read -r app_rss app_anon app_cpu app_first app_later app_opened <<<"$(summary "$work/app.txt" 6)"
read -r floor_rss floor_anon floor_cpu floor_first floor_later floor_opened \
    <<<"$(summary "$work/floor.txt" 6)"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0) ? a / b : 0}'; }
mib() { awk -v k="$1" 'BEGIN{printf "%.1f", k/1024}'; }
line() { printf '%-32s %12s %12s %8s  %s\n' "$@"; }
line "median ($launches launches, $runs runs)" "application" "floor" "ratio" "target"
line "start-up to tray (ms)" "$app_start" "$floor_start" "$(ratio "$app_start" "$floor_start")" "<= 1.2x"
line "  CPU until then (ms)" "$app_start_cpu" "$floor_start_cpu" "$(ratio "$app_start_cpu" "$floor_start_cpu")" ""
line "  minor page faults until then" "$app_faults" "$floor_faults" "$(ratio "$app_faults" "$floor_faults")" ""
line "first panel open (ms)" "$app_first" "$floor_first" "$(ratio "$app_first" "$floor_first")" "<= 2x"
line "later panel opens (ms)" "$app_later" "$floor_later" "$(ratio "$app_later" "$floor_later")" ""
line "RSS at 3 s (MiB)" "$(mib "$app_rss")" "$(mib "$floor_rss")" "$(ratio "$app_rss" "$floor_rss")" "<= 1.3x"
line "anonymous at 3 s (MiB)" "$(mib "$app_anon")" "$(mib "$floor_anon")" "$(ratio "$app_anon" "$floor_anon")" ""
line "RSS after the opens (MiB)" "$(mib "$app_opened")" "$(mib "$floor_opened")" "$(ratio "$app_opened" "$floor_opened")" ""
line "CPU over 10 idle s (ms)" "$app_cpu" "$floor_cpu" "" "0"
