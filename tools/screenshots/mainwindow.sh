#!/usr/bin/env bash
# Renders the main window with a generated document (every list, a chosen satellite, the favourites page, the
# window without a document), the welcome screen and the About box into PNGs for a person to look at.
# Usage: tools/screenshots/mainwindow.sh [outdir] (default build/screenshots). Needs a configured build tree.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshots}")"
cmake --build "$root/build" --target mainwindow_screenshots >/dev/null
mkdir -p "$out"
sandbox="$(mktemp -d)"
trap 'rm -rf "$sandbox"' EXIT
TMPDIR="$sandbox" XDG_CONFIG_HOME="$sandbox" HOME="$sandbox" QT_QPA_PLATFORM=offscreen \
    TUNELANE_SCREENSHOT_DIR="$out" "$root/build/tests/mainwindow/mainwindow_screenshots" >/dev/null
ls "$out"/mainwindow-*.png
