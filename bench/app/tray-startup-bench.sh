#!/usr/bin/env bash
# Measures the tray application beside the floor (a minimal Qt 6 tray program) in one run, on
# a private X server with an XEmbed tray host:
#   start-up  time from exec until the tray icon is embedded (median of the runs)
#   memory    resident (RSS) and proportional (PSS) set 3 s after start (median)
#   idle CPU  user+system CPU time over the following 10 s (median)
# Targets: start-up within 1.5x the floor, memory within 1.3x, no idle CPU.
# Usage: bench/app/tray-startup-bench.sh [RUNS]   (builds the release preset in build/release)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-5}

cmake --preset release >/dev/null
cmake --build --preset release -j2 --target morvane-color-picker morvane-floor-tray \
    tray-startup-probe >/dev/null || { echo "build failed" >&2; exit 1; }
app=build/release/app/morvane-color-picker
floor=build/release/bench/app/morvane-floor-tray
probe=build/release/bench/app/tray-startup-probe

work=$(mktemp -d)
helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
helpers+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
export QT_QPA_PLATFORM=xcb
trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
helpers+=($!)
sleep 1

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
memory_kib() { awk '/^Rss:/ {rss=$2} /^Pss:/ {pss=$2} END {print rss, pss}' "/proc/$1/smaps_rollup"; }

# One measured run: prints "startup_ms rss_kib pss_kib idle_cpu_ms".
measure() {
    local run_dir=$work/run-$RANDOM
    mkdir -p "$run_dir/config" "$run_dir/home"
    mkdir -m 700 "$run_dir/runtime"
    local line pid startup
    line=$(HOME=$run_dir/home XDG_CONFIG_HOME=$run_dir/config XDG_RUNTIME_DIR=$run_dir/runtime \
        "$probe" 20 "$@")
    pid=${line% *}
    startup=${line#* }
    sleep 3
    local memory before after
    memory=$(memory_kib "$pid")
    before=$(cpu_ticks "$pid")
    sleep 10
    after=$(cpu_ticks "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$startup $memory $(((after - before) * 1000 / ticks))"
}

median() { sort -g | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

: >"$work/app.txt"
: >"$work/floor.txt"
for run in $(seq "$runs"); do
    # Alternate, so both see the same machine load.
    measure "$floor" >>"$work/floor.txt"
    measure "$app" >>"$work/app.txt"
    echo "run $run/$runs done" >&2
done

summary() {
    local file=$1 column
    for column in 1 2 3 4; do awk -v c=$column '{print $c}' "$file" | median; done | xargs
}
read -r app_start app_rss app_pss app_cpu <<<"$(summary "$work/app.txt")"
read -r floor_start floor_rss floor_pss floor_cpu <<<"$(summary "$work/floor.txt")"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0) ? a / b : 0}'; }
printf '%-28s %12s %12s %8s\n' "median of $runs runs" "application" "floor" "ratio"
printf '%-28s %12s %12s %8s\n' "start-up to tray (ms)" "$app_start" "$floor_start" "$(ratio "$app_start" "$floor_start")"
printf '%-28s %12s %12s %8s\n' "RSS at 3 s (MiB)" "$(awk -v k="$app_rss" 'BEGIN{printf "%.1f", k/1024}')" \
    "$(awk -v k="$floor_rss" 'BEGIN{printf "%.1f", k/1024}')" "$(ratio "$app_rss" "$floor_rss")"
printf '%-28s %12s %12s %8s\n' "PSS at 3 s (MiB)" "$(awk -v k="$app_pss" 'BEGIN{printf "%.1f", k/1024}')" \
    "$(awk -v k="$floor_pss" 'BEGIN{printf "%.1f", k/1024}')" "$(ratio "$app_pss" "$floor_pss")"
printf '%-28s %12s %12s\n' "CPU over 10 idle s (ms)" "$app_cpu" "$floor_cpu"
echo "targets: start-up <= 1.5x floor, memory <= 1.3x floor, idle CPU 0 ms"
