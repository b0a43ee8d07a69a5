#!/usr/bin/env bash
# Regenerates the window-chrome images under src/resources/img from chrome.cpp (a small QPainter program).
# The PNGs are committed; run this only after changing the drawing code.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O1 -fPIC -Wall -Wextra "$here/chrome.cpp" -o "$work/chrome-images" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$work/chrome-images" "$root/src/resources/img"
