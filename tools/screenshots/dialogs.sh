#!/usr/bin/env bash
# Renders every dialog (configure columns, delete, renumber, move, open, merge, save, about, welcome, progress)
# with the application style sheet into PNGs for a person to look at. Usage: tools/screenshots/dialogs.sh [outdir]
# (default build/screenshots). Needs a configured build tree in build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshots}")"
cmake --build "$root/build" --target dialogs_screenshots >/dev/null
mkdir -p "$out"
sandbox="$(mktemp -d)"
trap 'rm -rf "$sandbox"' EXIT
TMPDIR="$sandbox" XDG_CONFIG_HOME="$sandbox" QT_QPA_PLATFORM=offscreen TUNELANE_SCREENSHOT_DIR="$out" \
    "$root/build/tests/dialogs/dialogs_screenshots" >/dev/null
ls "$out"/dialogs-*.png
