#!/usr/bin/env bash
# Regenerates the main-window images under src/resources/img from mainwindow.cpp (a small QPainter program) and
# rewrites src/resources/mainwindow.qrc to list them. The PNGs are committed; run this only after changing the
# drawing code.
source "$(dirname "$0")/paintkit.sh"
generate mainwindow

# The resource aliases are the image paths without their suffix (":/img/toolButtons/over/undo").
cd "$root/src/resources"
{
    echo '<!DOCTYPE RCC>'
    echo '<RCC version="1.0">'
    echo '    <qresource prefix="/img">'
    for dir in menuBar tabs leftMenu toolButtons myChannels; do
        find "img/$dir" -name '*.png' | LC_ALL=C sort | while read -r f; do
            alias="${f#img/}"
            echo "        <file alias=\"${alias%.png}\">$f</file>"
        done
    done
    echo '    </qresource>'
    echo '</RCC>'
} > mainwindow.qrc
