#!/usr/bin/env bash
# usage: sway-pick-e2e.sh WORKDIR DRIVER VIRTUAL_POINTER
# Native picks on headless Sway, end to end: the application's overlay over a desktop where
# every device pixel has its own colour (pattern-png.py, shown by swaybg), a virtual pointer
# (virtual-pointer.c) and wtype's virtual keyboard as the user, the driver's report and
# wl-paste as the reader. Cases: a click at output scale 1, 1.5 and 2, arrow keys then Enter,
# Escape and a right click cancel, a 3x3 sample area at scale 2, two outputs side by side, an
# output turned 90 degrees.
# Exits 0 on success, 1 on failure, 77 when Sway cannot start here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$1 driver=$2 vpointer=$3

command -v sway >/dev/null || { echo "SKIP: sway is not installed"; exit 77; }
for tool in swaybg swaymsg grim wtype wl-paste python3 setpriv; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

rm -rf "$work"
mkdir -p "$work"
chmod 755 "$work"
run=$(mktemp -d)
pids=()
cleanup() {
    exec 3>&- 4>&- 2>/dev/null
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$run"
}
trap cleanup EXIT

# Sway refuses to run as root: as root, the compositor and its clients run as a user made for
# the test.
if [ "$(id -u)" = 0 ]; then
    user=morvane-sway-e2e
    id -u "$user" >/dev/null 2>&1 ||
        useradd --system --no-create-home --shell /usr/sbin/nologin "$user" ||
        { echo "FAIL: cannot create the user $user"; exit 1; }
    chown "$user" "$run" "$work"
    as_user=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --clear-groups)
else
    as_user=()
fi
chmod 700 "$run"
base_env=(HOME="$work" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$run")
session_env=("${base_env[@]}")
in_session() { "${as_user[@]}" env -i "${session_env[@]}" SWAYSOCK="$(echo "$run"/sway-ipc.*.sock)" "$@"; }
# The same in the background, its process id kept for the end (setpriv and env exec it).
spawn_in_session() { # spawn_in_session INPUT LOG COMMAND...
    local input=$1 log=$2
    shift 2
    "${as_user[@]}" env -i "${session_env[@]}" "$@" <"$input" >"$log" 2>&1 &
    pids+=($!)
}
"${as_user[@]}" test -x "$driver" || { echo "FAIL: $driver is not executable by the test user"; exit 1; }

fail() {
    echo "FAIL: $*"
    in_session grim "$work/failed.png" 2>/dev/null && echo "the screen then: $work/failed.png"
    for log in "$work"/*.log; do echo "--- $log"; tail -n 20 "$log"; done
    exit 1
}
wait_for() { # wait_for FILE PATTERN SECONDS
    for _ in $(seq $(($3 * 20))); do
        grep -q -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}
colour() { python3 "$here/pattern-png.py" colour "$@"; }

python3 "$here/pattern-png.py" "$work/desktop0.png" 1280 800 0
python3 "$here/pattern-png.py" "$work/desktop1.png" 1280 800 1
python3 "$here/pattern-png.py" "$work/turned1.png" 800 1280 1
# The panel opens at the top left of the output, whatever its scale, where the pointer can
# reach its button.
cat >"$work/config" <<EOT
xwayland disable
for_window [app_id="sway_pick_driver"] floating enable, move position 20 20
output HEADLESS-1 resolution 1280x800 position 0 0 scale 1 bg $work/desktop0.png stretch
EOT

"${as_user[@]}" env -i "${base_env[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$work/config" >"$work/sway.log" 2>&1 &
pids+=($!)
# Ready once both its sockets are there (the Wayland socket's name is Sway's to choose).
display=
for _ in $(seq 400); do
    for socket in "$run"/wayland-*; do
        [ -S "$socket" ] && display=${socket##*/}
    done
    [ -n "$display" ] && [ -S "$(echo "$run"/sway-ipc.*.sock)" ] && break
    kill -0 "${pids[0]}" 2>/dev/null || break
    sleep 0.05
done
[ -n "$display" ] && [ -S "$(echo "$run"/sway-ipc.*.sock)" ] ||
    { echo "SKIP: sway could not start"; tail -n 20 "$work/sway.log"; exit 77; }
session_env=("${base_env[@]}" WAYLAND_DISPLAY="$display" XDG_SESSION_TYPE=wayland
    QT_QPA_PLATFORM=wayland ASAN_OPTIONS=detect_leaks=0)

# The desktop is on the screen when grim reads its pattern back.
desktop_shows() { # desktop_shows OUTPUT INDEX X Y
    for _ in $(seq 100); do
        in_session grim -o "$1" -t ppm - >"$work/check.ppm" 2>/dev/null &&
            [ "$(python3 "$here/pattern-png.py" pixel "$work/check.ppm" "$3" "$4")" = \
                "$(colour "$2" "$3" "$4")" ] && return 0
        sleep 0.1
    done
    return 1
}
desktop_shows HEADLESS-1 0 1000 200 || fail "the desktop pattern does not show"

# A keyboard for the whole session, as a user has one: the headless seat has none, and
# wtype's own keyboard comes and goes with each call.
spawn_in_session /dev/null "$work/keyboard.log" wtype -s 600000
for _ in $(seq 100); do
    in_session swaymsg -t get_inputs 2>/dev/null | grep -q '"type": "keyboard"' && break
    sleep 0.05
done

mkfifo "$work/pointer.in" "$work/driver.in"
spawn_in_session "$work/pointer.in" "$work/pointer.log" "$vpointer"
exec 3>"$work/pointer.in"
wait_for "$work/pointer.log" '^ready' 10 || fail "the virtual pointer did not start"
spawn_in_session "$work/driver.in" "$work/driver.log" "$driver"
exec 4>"$work/driver.in"
wait_for "$work/driver.log" '^READY' 30 || fail "the driver did not start"
grep -q 'picking with the overlay' "$work/driver.log" || fail "the overlay was not chosen"

layout=(1280 800) # the output layout's logical size
moves=0
# Moves the pointer to a logical position given in eighths of a pixel, so that the pointer
# lands well inside a device pixel at scale 2 too.
move_eighths() { # move_eighths X8 Y8
    echo "move $1 $2 $((layout[0] * 8)) $((layout[1] * 8))" >&3
    moves=$((moves + 1))
    for _ in $(seq 100); do
        [ "$(grep -c '^ok' "$work/pointer.log")" -ge $((moves)) ] && return 0
        sleep 0.02
    done
    fail "the virtual pointer did not move"
}
click() { echo "click $1" >&3; moves=$((moves + 1)); sleep 0.2; }
ends=0
# Moves the pointer (in eighths of a pixel) until the overlay's loupe shows beside it.
loupe_at() { # loupe_at X8 Y8 WHAT
    local lx=$(($1 / 8 + 24 + 3)) ly=$(($2 / 8 + 24 + 150 + 3)) step
    for step in $(seq 100); do
        # An eighth of a pixel to and fro: a motion even where the pointer already is.
        move_eighths $(($1 + step % 2)) "$2"
        # The loupe's label is drawn in #1E1E1E below its grid.
        in_session grim -s 1 -g "$lx,$ly 1x1" -t ppm - >"$work/loupe.ppm" 2>/dev/null &&
            [ "$(python3 "$here/pattern-png.py" pixel "$work/loupe.ppm" 0 0)" = "#1E1E1E" ] &&
            return 0
        sleep 0.1
    done
    fail "no loupe beside the pointer at $3"
}
# Where a window of the driver is on the screen: "X Y" (logical).
window_at() {
    in_session swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") == "sway_pick_driver" and node.get("visible"):
        print(node["rect"]["x"], node["rect"]["y"])
        sys.exit(0)
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))
sys.exit(1)'
}
panels=0
# Starts a pick as a user does: the panel's "Pick a color" clicked with the pointer. Returns
# once the overlay is on the screen. Sway draws the pointer into the output's image (the
# headless back-end has no hardware cursor), so the frozen frame holds it over the button.
start_pick() {
    panels=$((panels + 1))
    echo panel >&4
    for _ in $(seq 100); do
        [ "$(grep -c '^BUTTON' "$work/driver.log")" -ge $panels ] && break
        sleep 0.05
    done
    local button place
    button=($(grep '^BUTTON' "$work/driver.log" | sed -n "${panels}p" | cut -d' ' -f2-))
    [ ${#button[@]} = 2 ] || fail "the panel did not open"
    place=($(window_at)) || fail "the panel is not on the screen"
    local x8=$(((place[0] + button[0]) * 8 + 4)) y8=$(((place[1] + button[1]) * 8 + 4))
    move_eighths "$x8" "$y8"
    click left
    loupe_at "$x8" "$y8" "the pick button"
}
# Points at the middle of a device pixel of an output (OUTPUT_X,OUTPUT_Y its logical place,
# SCALE a whole number or a fraction such as 3/2).
point_at() { # point_at OUTPUT_X OUTPUT_Y SCALE X Y
    local num=$3 den=1
    [[ $3 == */* ]] && num=${3%/*} den=${3#*/}
    loupe_at $(($1 * 8 + (2 * $4 + 1) * 4 * den / num)) $(($2 * 8 + (2 * $5 + 1) * 4 * den / num)) \
        "$4,$5"
}
# Waits for the driver's report of the next pick's end; sets ended to the colour it left.
next_end() {
    ends=$((ends + 1))
    for _ in $(seq 200); do
        [ "$(grep -c '^ENDED' "$work/driver.log")" -ge $ends ] && break
        sleep 0.05
    done
    ended=$(grep '^ENDED' "$work/driver.log" | sed -n "${ends}p" | cut -d' ' -f2)
}
pick_ends_with() { # pick_ends_with HEX WHAT
    next_end
    [ "$ended" = "$1" ] || fail "$2: the pick ended with '$ended', expected '$1'"
    # The copy waits for a window of the application to have the keyboard focus.
    local pasted
    for _ in $(seq 100); do
        pasted=$(in_session timeout 5 wl-paste -n 2>&1)
        [ "$pasted" = "$1" ] && break
        sleep 0.1
    done
    [ "$pasted" = "$1" ] || fail "$2: wl-paste gave '$pasted', expected '$1'"
    echo "ok: $2 ($1)"
}

# Scale 1: a click picks the device pixel under the pointer.
start_pick
point_at 0 0 1 301 203
[ -n "${E2E_SCREENSHOT:-}" ] && in_session grim - >"$E2E_SCREENSHOT"
click left
pick_ends_with "$(colour 0 301 203)" "a click at scale 1"

# The arrow keys move one device pixel; Enter picks.
start_pick
point_at 0 0 1 500 300
in_session wtype -k Right -k Right -k Down || fail "wtype failed"
in_session wtype -k Return || fail "wtype failed"
pick_ends_with "$(colour 0 502 301)" "arrow keys then Enter"

# An arrow key held repeats at the seat's rate after its delay (600 ms and 25 a second
# here): held for 1.2 s, the pick moves on by more than one pixel, and stops when released.
start_pick
point_at 0 0 1 400 100
in_session wtype -P Right -s 1200 -p Right || fail "wtype failed"
in_session wtype -k Return || fail "wtype failed"
next_end
moved=
for step in $(seq 0 60); do
    [ "$(colour 0 $((400 + step)) 100)" = "$ended" ] && moved=$step && break
done
[ -n "$moved" ] && [ "$moved" -gt 3 ] || fail "a held arrow key moved the pick by '$moved' pixels"
echo "ok: a held arrow key repeats ($moved pixels)"

# Escape and a right click cancel: the last colour stays, on the clipboard too.
last=$ended
start_pick
point_at 0 0 1 700 500
in_session wtype -k Escape || fail "wtype failed"
pick_ends_with "$last" "Escape cancels"
start_pick
point_at 0 0 1 710 510
click right
pick_ends_with "$last" "a right click cancels"

# Scale 2: the same 1280x800 device pixels over 640x400 logical ones.
in_session swaymsg output HEADLESS-1 scale 2 >/dev/null || fail "swaymsg failed"
layout=(640 400)
desktop_shows HEADLESS-1 0 1000 203 || fail "the desktop does not show at scale 2"
start_pick
point_at 0 0 2 301 203
click left
pick_ends_with "$(colour 0 301 203)" "a click at scale 2"

# A widens the sample area to 3x3 device pixels: the pick is their mean in linear light. Pixel
# 256 sits between 255 and 0 in red and green, so neither the centre nor an sRGB mean passes.
start_pick
point_at 0 0 2 256 256
in_session wtype -k a || fail "wtype failed"
in_session wtype -k Return || fail "wtype failed"
pick_ends_with "$(python3 "$here/pattern-png.py" mean 0 256 256 3)" "a 3x3 mean at scale 2"

# Scale 1.5: Sway scales the desktop itself; the pick reads the device pixel that grim reads.
in_session swaymsg output HEADLESS-1 scale 1.5 >/dev/null || fail "swaymsg failed"
layout=(853 533)
reference=
for _ in $(seq 50); do
    sleep 0.2
    in_session grim -o HEADLESS-1 -t ppm - >"$work/check.ppm" 2>/dev/null || continue
    read_now=$(python3 "$here/pattern-png.py" pixel "$work/check.ppm" 901 451)
    [ "$read_now" = "$reference" ] && break
    reference=$read_now
done
start_pick
point_at 0 0 3/2 901 451
# The area chosen above holds: A twice more brings it back to one pixel (3x3, 5x5, 1x1).
in_session wtype -k a -k a || fail "wtype failed"
click left
pick_ends_with "$reference" "a click at scale 1.5"
in_session swaymsg output HEADLESS-1 scale 2 >/dev/null || fail "swaymsg failed"
layout=(640 400)

# Two outputs side by side, scale 2 and 1: a pick on the second reads the second.
in_session swaymsg create_output >/dev/null || fail "swaymsg create_output failed"
in_session swaymsg output HEADLESS-2 resolution 1280x800 position 640 0 scale 1 \
    bg "$work/desktop1.png" stretch >/dev/null || fail "swaymsg failed"
layout=(1920 800)
desktop_shows HEADLESS-2 1 777 555 || fail "the second output's desktop does not show"
start_pick
point_at 640 0 1 777 555
click left
pick_ends_with "$(colour 1 777 555)" "a click on the second of two outputs"

# An output turned 90 degrees: the compositor's copy is in the output's own orientation.
in_session swaymsg output HEADLESS-2 transform 90 bg "$work/turned1.png" stretch >/dev/null ||
    fail "swaymsg failed"
layout=(1440 1280)
desktop_shows HEADLESS-2 1 600 1000 || fail "the turned output's desktop does not show"
start_pick
point_at 640 0 1 600 1000
click left
pick_ends_with "$(colour 1 600 1000)" "a click on an output turned 90 degrees"

echo quit >&4
echo "PASS: native picks on Sway"
