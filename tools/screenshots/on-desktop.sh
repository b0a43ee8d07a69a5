#!/usr/bin/env bash
# Runs a command on the X display given in $DISPLAY under a plain window manager, with Qt on its xcb platform.
# Used by platform.sh inside xvfb-run; the window manager is stopped when the command ends.
set -euo pipefail
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
# Windows mapped before the manager runs would stay unmanaged: wait until it announces itself (at most 10 s).
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
QT_QPA_PLATFORM=xcb "$@"
