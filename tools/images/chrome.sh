#!/usr/bin/env bash
# Regenerates the window-chrome images under src/resources/img from chrome.cpp (a small QPainter program).
# The PNGs are committed; run this only after changing the drawing code.
source "$(dirname "$0")/paintkit.sh"
generate chrome
