#!/usr/bin/env bash
# Renders the message boxes, the styled widgets and the main-window frame with the application style sheet into
# PNGs for a person to look at. Usage: tools/screenshots/chrome.sh [--xcb] [outdir] (default build/screenshots).
# Needs a configured build tree in build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=platform.sh
source "$root/tools/screenshots/platform.sh"
out="$(realpath -m "${shot_args[0]:-$root/build/screenshots}")"
cmake --build "$root/build" --target widgets_screenshots >/dev/null
mkdir -p "$out"
sandbox="$(mktemp -d)"
trap 'rm -rf "$sandbox"' EXIT
run_on_platform env TMPDIR="$sandbox" XDG_CONFIG_HOME="$sandbox" TUNELANE_SCREENSHOT_DIR="$out" \
    "$root/build/tests/widgets/widgets_screenshots" >/dev/null
ls "$out"/widgets-*.png
