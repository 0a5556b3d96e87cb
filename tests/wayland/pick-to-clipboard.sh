#!/usr/bin/env bash
# usage: pick-to-clipboard.sh WORKDIR DRIVER FAKEINPUT
# A pick through the real desktop portal on a headless KWin lands its hex on the Wayland
# clipboard. Exits 0 on success, 1 on failure, 77 when kwin_wayland cannot start here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$1 driver=$2 fakeinput=$3
expected='#12AB34'

command -v kwin_wayland >/dev/null || { echo "SKIP: kwin_wayland is not installed"; exit 77; }
for tool in wl-paste gdbus dbus-daemon; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

rm -rf "$work"
mkdir -p "$work"
export WL_DIR=$work
name=e2e
trap '"$here/stop.sh" $name' EXIT
if ! KWIN_COMPOSE=O2 "$here/start-kwin.sh" $name >"$work/start.log" 2>&1; then
    echo "SKIP: kwin_wayland could not start"
    cat "$work/start.log"
    exit 77
fi
. "$work/$name.env"
export ASAN_OPTIONS=detect_leaks=0

wait_for() { # wait_for FILE PATTERN SECONDS
    for _ in $(seq $(($3 * 20))); do
        grep -q "$2" "$1" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}
fail() {
    echo "FAIL: $*"
    for log in "$work"/*.log; do echo "--- $log"; tail -n 20 "$log"; done
    exit 1
}

"$driver" fill "$expected" >"$work/fill.log" 2>&1 &
echo $! >"$work/$name.fill.pid"
wait_for "$work/fill.log" 'shown 1024x' 20 || fail "the fill window did not show"

"$driver" pick >"$work/pick.log" 2>&1 &
echo $! >"$work/$name.pick.pid"
wait_for "$work/pick.log" PICKING 20 || fail "the driver did not start a pick"
# KWin offers no wlroots screen copy: the application must have chosen the portal, not the
# native overlay.
grep -q 'picking through the desktop portal: the Wayland compositor offers no' "$work/pick.log" ||
    fail "the portal was not chosen for a compositor without screen copy"
# The portal's back-end is started on demand; click once its picker can be running.
for _ in $(seq 200); do
    gdbus call --session -d org.freedesktop.impl.portal.desktop.kde \
        -o /org/freedesktop/portal/desktop -m org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break
    sleep 0.05
done
sleep 1.5
"$fakeinput" click 500 400 || fail "fake input failed"

wait_for "$work/pick.log" '^COPIED' 20 || fail "no copy was confirmed"
got=$(timeout 5 wl-paste -n 2>&1)
cat "$work/pick.log"
[ "$got" = "$expected" ] || fail "wl-paste gave '$got', expected '$expected'"
echo "PASS: picked $expected through the portal; wl-paste gives '$got'"
