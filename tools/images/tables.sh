#!/usr/bin/env bash
# Regenerates the channel-table images under src/resources/img from tables.cpp (a small QPainter program).
# The PNGs are committed; run this only after changing the drawing code.
source "$(dirname "$0")/paintkit.sh"
generate tables
