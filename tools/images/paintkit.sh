# Sourced by the image scripts: builds one generator (<name>.cpp with paintkit.h, a small QPainter program) and
# runs it on src/resources/img. Sets $root to the repository root for the caller.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

generate() {
    local name="$1"
    g++ -std=c++17 -O1 -fPIC -Wall -Wextra "$here/$name.cpp" -o "$work/$name-images" $(pkg-config --cflags --libs Qt6Gui)
    QT_QPA_PLATFORM=offscreen "$work/$name-images" "$root/src/resources/img"
}
