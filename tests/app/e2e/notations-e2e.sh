#!/usr/bin/env bash
# End to end on the built executable: the command-line notations (--list-formats, --convert
# with an argument and from standard input, --format, the user's templates read from a
# preferences file left as it was), then on a private X server
# "--pick --format" (the command prints the notation, the clipboard holds the format chosen in
# the preferences) and Ctrl+V in the panel with another program's clipboard.
# Usage: notations-e2e.sh EXECUTABLE
set -uo pipefail

app=$1
# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
e2e_app_log=$work/app.err
lock=$XDG_RUNTIME_DIR/dev.morvane.colorpicker.lock

# --- conversions need no display ----------------------------------------------------------
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$app" --convert '58, 123, 213' --format oklch 2>"$work/err")
[ $? -eq 0 ] && [ "$out" = 'oklch(58.62% 0.1533 257.23)' ] || fail "--convert printed '$out'"
[ -s "$work/err" ] && fail "--convert wrote to standard error: $(cat "$work/err")"

printf '#3a7bd5\nrgb(1 2 3)\nnot a colour\n0xFF000000\n' |
    env -u DISPLAY "$app" --convert - --format css-rgb-legacy >"$work/lines.out" 2>"$work/lines.err"
status=$?
[ "$status" -eq 2 ] || fail "--convert - with a bad line: exit status $status"
printf 'rgb(58, 123, 213)\nrgb(1, 2, 3)\n\nrgb(0, 0, 0)\n' | cmp -s - "$work/lines.out" ||
    fail "--convert - printed '$(cat "$work/lines.out")'"
grep -qx 'morvane-color-picker: line 3 is no color: not a colour' "$work/lines.err" ||
    fail "--convert - reported '$(cat "$work/lines.err")'"

# A CSS keyword reads as its colour; the name notation writes the nearest.
[ "$("$app" --convert ' DarkSlateGrey' --format name)" = darkslategray ] &&
    [ "$("$app" --convert '#3A7BD6' --format name)" = '≈ royalblue' ] ||
    fail "--convert with names printed '$("$app" --convert ' DarkSlateGrey' --format name)'"

"$app" --convert '#3A7BD5' --format nope >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] && [ ! -s "$work/out" ] && grep -q 'unknown format "nope"' "$work/err" ||
    fail "an unknown --format: status $status, '$(cat "$work/out" "$work/err")'"

"$app" --list-formats >"$work/list"
[ "$(wc -l <"$work/list")" -eq 18 ] && grep -q '^oklab  *OKLAB  *oklab(58.62% ' "$work/list" ||
    fail "--list-formats printed '$(cat "$work/list")'"
"$app" --help | grep -q -- '--list-formats' || fail "--help does not mention --list-formats"

# --- the user's templates, from a damaged preferences file the command line only reads ----
conf=$XDG_CONFIG_HOME/morvane/colorpicker.conf
mkdir -p "$XDG_CONFIG_HOME/morvane"
printf '%s\n' '[General]' \
    'colorpicker.formats.templates="[{\"id\":\"template-1\",\"name\":\"Kotlin\",\"template\":\"Color(0xFF{hex})\"}]"' \
    '/a=1' >"$conf"
cp "$conf" "$work/conf.before"
"$app" --list-formats >"$work/list"
[ "$(wc -l <"$work/list")" -eq 19 ] && [ "$(tail -n1 "$work/list")" = 'template-1      Kotlin  Color(0xFF3A7BD5)' ] ||
    fail "--list-formats with a template printed '$(cat "$work/list")'"
out=$("$app" --convert '58, 123, 213' --format template-1)
[ "$out" = 'Color(0xFF3A7BD5)' ] || fail "--convert --format template-1 printed '$out'"
cmp -s "$conf" "$work/conf.before" || fail "the command line changed the preferences: $(cat "$conf")"
ls "$XDG_CONFIG_HOME/morvane" | grep -q 'bad-' && fail "the command line set the preferences aside"

# --- --pick --format: the running copy picks, the command prints the notation -------------
# The copy copies the format chosen in the settings; --format changes only what is printed.
mkdir -p "$XDG_CONFIG_HOME/morvane"
printf '[General]\ncolorpicker.formats.copied=css-rgb\n' >"$XDG_CONFIG_HOME/morvane/colorpicker.conf"
start_xvfb 1024x768
show_two_colour_desktop
"$app" >"$work/app.out" 2>"$work/app.err" &
pids+=($!)
wait_for 30 test -S "$XDG_RUNTIME_DIR/dev.morvane.colorpicker.socket" ||
    fail "the copy does not listen"

# An unknown id ends the command before any pick.
"$app" --pick --format HEX >"$work/pick.out" 2>"$work/pick.err"
status=$?
[ "$status" -eq 2 ] && [ ! -s "$work/pick.out" ] || fail "--pick --format HEX: status $status"
covers_screen "$(head -n1 "$lock")" && fail "--pick with an unknown format started a pick"

"$app" --pick --format hsv >"$work/pick.out" 2>"$work/pick.err" &
picker=$!
pids+=("$picker")
wait_for 30 covers_screen "$(head -n1 "$lock")" || fail "no pick overlay"
sleep 0.5
xdotool mousemove 200 500
sleep 0.3
xdotool click 1
await_exit "$picker" 30
[ "$status" -eq 0 ] || fail "--pick --format hsv: exit status $status"
[ "$(cat "$work/pick.out")" = '215°, 73%, 84%' ] ||
    fail "--pick --format hsv printed '$(cat "$work/pick.out")'"
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
wait_for 10 clipboard_is 'rgb(58 123 213)' ||
    fail "the clipboard holds '$(xclip -o -selection clipboard 2>/dev/null)', not the copied format"

# --- a colour pasted from another program's clipboard: current and stored, clipboard kept ----
printf 'rgb(10 20 30)' | xclip -selection clipboard
# A visible 300-wide window of the running copy: its panel.
panel_shown() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$(head -n1 "$lock")" 2>/dev/null); do
        xdotool getwindowgeometry --shell "$window" | grep -qx 'WIDTH=300' && return 0
    done
    return 1
}
"$app" # a second launch opens the running copy's panel
wait_for 30 panel_shown || fail "the panel did not open"
sleep 0.5 # focused
xdotool key ctrl+v
wait_for 5 grep -q '^colorpicker.currentHex=#0A141E$' "$conf" ||
    fail "the pasted colour was not stored: $(grep currentHex "$conf")"
clipboard_is 'rgb(10 20 30)' || fail "a paste changed the clipboard"

e2e_finish "all notation checks passed"
