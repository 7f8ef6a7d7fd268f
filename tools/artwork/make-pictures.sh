#!/usr/bin/env bash
# Rebuilds share/System/photo/{main.png,logo.png,NeterBmp.bmp,seat.png} from the SVG sources here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -fPIC -O1 -o "$work/make-pictures" "$here/make-pictures.cpp" \
    $(pkg-config --cflags --libs Qt6Gui Qt6Svg)
mkdir -p "$root/share/System/photo"
QT_QPA_PLATFORM=offscreen "$work/make-pictures" "$here" "$root/share/System/photo"
ls -l "$root/share/System/photo"
