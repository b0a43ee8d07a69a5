#!/usr/bin/env bash
# Renders the main window with a generated document (every list, a chosen satellite, the favourites page, the
# window without a document), the welcome screen and the About box into PNGs for a person to look at.
# Usage: tools/screenshots/mainwindow.sh [--xcb] [outdir] (default build/screenshots). Needs a configured build tree.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=platform.sh
source "$root/tools/screenshots/platform.sh"
out="$(realpath -m "${shot_args[0]:-$root/build/screenshots}")"
cmake --build "$root/build" --target mainwindow_screenshots >/dev/null
mkdir -p "$out"
sandbox="$(mktemp -d)"
trap 'rm -rf "$sandbox"' EXIT
run_on_platform env TMPDIR="$sandbox" XDG_CONFIG_HOME="$sandbox" HOME="$sandbox" \
    TUNELANE_SCREENSHOT_DIR="$out" "$root/build/tests/mainwindow/mainwindow_screenshots" >/dev/null
ls "$out"/mainwindow-*.png
