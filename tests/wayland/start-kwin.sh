#!/bin/bash
# Part of the headless Wayland check (see README.txt); WL_DIR is its writable work folder.
# usage: start-kwin.sh NAME [extra kwin args]   -> writes $D/NAME.env, NAME.log, NAME.pids
# Starts a private session bus (or, with WL_USE_CURRENT_BUS=1, uses the current one) and
# kwin_wayland --virtual (OpenGL on llvmpipe by default; KWIN_COMPOSE=Q for QPainter) on socket NAME.
set -e
NAME=${1:-wl-kwin}; shift || true
D=${WL_DIR:-$(cd "$(dirname "$0")" && pwd)}
mkdir -p $D/run $D/bin; chmod 700 $D/run
# Debian's kwin_wayland carries file cap cap_sys_resource=ep; in a sandbox whose bounding set lacks it,
# exec fails with "Operation not permitted". A plain copy drops the xattr.
[ -x $D/bin/kwin_wayland ] || cp /usr/bin/kwin_wayland $D/bin/kwin_wayland
export XDG_RUNTIME_DIR=$D/run
export KWIN_COMPOSE=${KWIN_COMPOSE-O2}   # O2 = OpenGL2 (llvmpipe); the ColorPicker/ScreenShot2 effects need GL
[ -n "$KWIN_COMPOSE" ] || unset KWIN_COMPOSE
export QT_QUICK_BACKEND=software XDG_SESSION_TYPE=wayland
[ "${NO_SW_GL:-0}" = 1 ] || export LIBGL_ALWAYS_SOFTWARE=1
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
export KWIN_WAYLAND_NO_PERMISSION_CHECKS=${KWIN_WAYLAND_NO_PERMISSION_CHECKS:-1}
unset WAYLAND_DISPLAY DISPLAY
# isolate config/cache from the real user
export HOME=$D/home XDG_CONFIG_HOME=$D/home/.config XDG_CACHE_HOME=$D/home/.cache XDG_DATA_HOME=$D/home/.local/share
export XDG_DATA_DIRS=$D/share:/usr/local/share:/usr/share
mkdir -p $HOME $XDG_CONFIG_HOME $XDG_CACHE_HOME $XDG_DATA_HOME $D/share/applications
if [ "${WL_USE_CURRENT_BUS:-0}" = 1 ] && [ -n "$DBUS_SESSION_BUS_ADDRESS" ]; then
  BUSPID=none   # e.g. inside dbus-run-session; stop.sh then leaves the bus alone
else
  out=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  export DBUS_SESSION_BUS_ADDRESS=$(echo "$out" | sed -n 1p)
  BUSPID=$(echo "$out" | sed -n 2p)
fi
# Make the bus' activation environment match (portals are D-Bus-activated)
dbus-update-activation-environment HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_DATA_DIRS XDG_RUNTIME_DIR XDG_CURRENT_DESKTOP XDG_SESSION_TYPE KDE_FULL_SESSION KDE_SESSION_VERSION QT_QUICK_BACKEND LIBGL_ALWAYS_SOFTWARE KWIN_COMPOSE WAYLAND_DISPLAY=$NAME QT_QPA_PLATFORM=wayland
t0=$(date +%s%N)
$D/bin/kwin_wayland --virtual --socket "$NAME" --width 1024 --height 768 \
    --no-lockscreen --no-global-shortcuts --no-kactivities "$@" > $D/$NAME.log 2>&1 &
KPID=$!
# ready when org.kde.KWin is on the bus and the socket exists
for i in $(seq 1 200); do
  if [ -S $D/run/$NAME ] && gdbus call --session -d org.kde.KWin -o /KWin -m org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1; then break; fi
  kill -0 $KPID 2>/dev/null || { echo "kwin died"; cat $D/$NAME.log; exit 1; }
  sleep 0.05
done
echo "kwin ready after $(( ($(date +%s%N)-t0)/1000000 )) ms" >&2
cat > $D/$NAME.env <<EOT
export HOME=$HOME XDG_CONFIG_HOME=$XDG_CONFIG_HOME XDG_CACHE_HOME=$XDG_CACHE_HOME XDG_DATA_HOME=$XDG_DATA_HOME XDG_DATA_DIRS=$XDG_DATA_DIRS
export XDG_RUNTIME_DIR=$D/run
export DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
export WAYLAND_DISPLAY=$NAME
export QT_QPA_PLATFORM=wayland
export XDG_CURRENT_DESKTOP=KDE
export XDG_SESSION_TYPE=wayland
export QT_QUICK_BACKEND=software
unset DISPLAY
EOT
echo "$BUSPID $KPID" > $D/$NAME.pids
echo "bus=$BUSPID kwin=$KPID"
