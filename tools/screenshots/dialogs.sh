#!/usr/bin/env bash
# Renders every dialog (configure columns, delete, renumber, move, open, merge, save, about, welcome, progress)
# with the application style sheet into PNGs for a person to look at.
# Usage: tools/screenshots/dialogs.sh [--xcb] [outdir] (default build/screenshots). Needs a configured build tree.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=platform.sh
source "$root/tools/screenshots/platform.sh"
out="$(realpath -m "${shot_args[0]:-$root/build/screenshots}")"
cmake --build "$root/build" --target dialogs_screenshots >/dev/null
mkdir -p "$out"
sandbox="$(mktemp -d)"
trap 'rm -rf "$sandbox"' EXIT
run_on_platform env TMPDIR="$sandbox" XDG_CONFIG_HOME="$sandbox" TUNELANE_SCREENSHOT_DIR="$out" \
    "$root/build/tests/dialogs/dialogs_screenshots" >/dev/null
ls "$out"/dialogs-*.png
