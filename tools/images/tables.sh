#!/usr/bin/env bash
# Regenerates the channel-table images under src/resources/img from tables.cpp (a small QPainter program).
# The PNGs are committed; run this only after changing the drawing code.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O1 -fPIC -Wall -Wextra "$here/tables.cpp" -o "$work/table-images" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$work/table-images" "$root/src/resources/img"
