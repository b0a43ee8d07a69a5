#!/usr/bin/env bash
# Renders a filled satellite table and the two favourites tables with the application style sheet into PNGs
# for a person to look at. Usage: tools/screenshots/tables.sh [outdir] (default build/screenshots). Needs a
# configured build tree in build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshots}")"
cmake --build "$root/build" --target tables_screenshots >/dev/null
mkdir -p "$out"
sandbox="$(mktemp -d)"
trap 'rm -rf "$sandbox"' EXIT
TMPDIR="$sandbox" XDG_CONFIG_HOME="$sandbox" QT_QPA_PLATFORM=offscreen TUNELANE_SCREENSHOT_DIR="$out" \
    "$root/build/tests/tables/tables_screenshots" >/dev/null
ls "$out"/tables-*.png
