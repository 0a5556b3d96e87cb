#!/usr/bin/env bash
# usage: with-xvfb.sh "WxH [WxH ...]" COMMAND [ARGS...]
# Runs COMMAND against a private Xvfb on a free display, with one X screen (Qt: one QScreen)
# per size given, then stops that Xvfb. Exits with COMMAND's status.
set -euo pipefail
sizes=$1
shift

screens=()
index=0
for size in $sizes; do
    screens+=(-screen "$index" "${size}x24")
    index=$((index + 1))
done

displayfile=$(mktemp)
trap 'rm -f "$displayfile"' EXIT
# -displayfd makes Xvfb choose a free display number and write it once it accepts clients.
Xvfb -displayfd 5 -nolisten tcp -noreset "${screens[@]}" 5>"$displayfile" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$displayfile"' EXIT

for _ in $(seq 200); do
    [ -s "$displayfile" ] && break
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$displayfile" ] || { echo "Xvfb did not report a display" >&2; exit 1; }

export DISPLAY=":$(head -n1 "$displayfile")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit $status
