#!/usr/bin/env bash
# Runs a test next to a journald of its own: in a private mount namespace, with fresh
# /run/systemd, /run/log and /var/log/journal, so neither the host's journal nor other tests
# see it. Where that is not possible (not root, no namespaces, no journald) the test runs
# without MORVANE_PRIVATE_JOURNAL and skips itself.
set -u
journald=/lib/systemd/systemd-journald

if [ "$(id -u)" -ne 0 ] || [ ! -x "$journald" ] || ! unshare -m --propagation private true 2>/dev/null; then
    exec "$@"
fi

exec unshare -m --propagation private bash -c '
    set -e
    journald=$1
    shift
    mkdir -p /run/systemd /run/log /var/log/journal
    for dir in /run/systemd /run/log /var/log/journal; do mount -t tmpfs tmpfs "$dir"; done
    mkdir -p /run/systemd/journal
    "$journald" &
    daemon=$!
    for _ in $(seq 100); do [ -S /run/systemd/journal/socket ] && break; sleep 0.1; done
    set +e
    MORVANE_PRIVATE_JOURNAL=1 "$@"
    status=$?
    kill "$daemon"
    wait "$daemon" 2>/dev/null
    exit $status
' bash "$journald" "$@"
