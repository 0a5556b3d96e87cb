#!/usr/bin/env bash
# End to end on a private X server with a tray host, as a user with an odd home folder or a
# hostile neighbour would launch: something that is no preferences file in the file's place,
# a file-size limit below the preferences' size, and $APPIMAGE inherited from another
# AppImage. Each launch must show its tray icon and end cleanly on SIGTERM.
# Usage: hostile-e2e.sh EXECUTABLE
set -uo pipefail

app=$1
# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"
e2e_app_log=$work/app.err
conf_dir=$XDG_CONFIG_HOME/morvane
conf=$conf_dir/colorpicker.conf
lock=$XDG_RUNTIME_DIR/dev.morvane.colorpicker.lock

# The copy a "--pick" started is no child of this script.
trap '[ -n "${detached:-}" ] && kill "$detached" 2>/dev/null; e2e_cleanup' EXIT

running_copy() { [ -s "$lock" ] && head -n1 "$lock"; }
window_count_is() {
    [ "$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l)" -eq "$2" ]
}
kept_count() { find "$conf_dir" -maxdepth 1 -name 'colorpicker.conf.bad-*' | wc -l; }
kept_one() { [ "$(kept_count)" -eq 1 ]; }

# Starts the application (in the background, with the command's prefix given); sets copy.
launch() {
    "$@" "$app" >>"$work/app.out" 2>>"$work/app.err" &
    copy=$!
    pids+=("$copy")
}

# Ends the copy with SIGTERM: it must go within 10 s with status 0.
terminate() {
    kill -TERM "$copy" 2>/dev/null
    await_exit "$copy" 10
    [ "$status" -eq 0 ] || fail "$1: SIGTERM gave exit status $status"
}

start_xvfb 1280x800
start_trayer --edge top --align right --widthtype request --height 24

# --- something that is no preferences file in its place ------------------------------------
huge_file() {
    printf '[General]\ncolorpicker.currentHex=#FF0000\n' >"$conf"
    head -c $((2 * 1024 * 1024)) /dev/zero | tr '\0' 'x' >>"$conf"
}
for setup in "mkfifo $conf" "mkfifo $work/pipe; ln -s $work/pipe $conf" \
    "ln -s /dev/zero $conf" huge_file; do
    rm -rf "$conf_dir" "$work/pipe"
    mkdir -p "$conf_dir"
    eval "$setup"
    launch
    wait_for 20 window_count_is "$copy" 1 || fail "$setup: no tray icon"
    # The launch saves its own keys: the thing is set aside and a regular file takes its place.
    wait_for 10 kept_one || fail "$setup: $(kept_count) files kept aside"
    wait_for 10 test -f "$conf" -a ! -L "$conf" || fail "$setup: no preferences file saved"
    terminate "$setup"
    # The relaunch reads the new file.
    launch
    wait_for 20 window_count_is "$copy" 1 || fail "$setup: no tray icon at the relaunch"
    terminate "$setup, relaunched"
done

# --- a file-size limit below the preferences' size -------------------------------------------
rm -rf "$conf_dir"
mkdir -p "$conf_dir"
{
    printf '[General]\ncolorpicker.currentHex=#3A7BD5\n'
    for i in $(seq 1 100); do printf 'colorpicker.note%d=%0100d\n' "$i" 0; done
} >"$conf"
before=$(sha256sum <"$conf")
launch prlimit --fsize=4096
wait_for 20 window_count_is "$copy" 1 || fail "file-size limit: no tray icon"
sleep 1 # the launch's save has been tried
kill -0 "$copy" 2>/dev/null || fail "file-size limit: the copy died"
terminate "file-size limit"
[ "$(sha256sum <"$conf")" = "$before" ] || fail "file-size limit: the preferences changed"

# --- $APPIMAGE and $APPDIR of another AppImage: --pick starts us, not the other program -----
mkdir -p "$work/other-mount"
printf '#!/bin/sh\ntouch %s/other-started\n' "$work" >"$work/Other.AppImage"
chmod +x "$work/Other.AppImage"
APPIMAGE=$work/Other.AppImage APPDIR=$work/other-mount "$app" --pick \
    >"$work/pick.out" 2>"$work/pick.err" &
picker=$!
pids+=("$picker")
wait_for 30 running_copy || fail "--pick started no copy"
detached=$(running_copy)
[ "$(readlink -f "/proc/$detached/exe")" = "$(readlink -f "$app")" ] ||
    fail "--pick started $(readlink -f "/proc/$detached/exe")"
[ -e "$work/other-started" ] && fail "--pick started the other AppImage"
kill "$picker" "$detached" 2>/dev/null
wait_for 10 is_gone "$detached" || fail "the started copy ignored SIGTERM"
detached=

e2e_finish "all hostile-condition checks passed"
