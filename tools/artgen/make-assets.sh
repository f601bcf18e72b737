#!/usr/bin/env bash
# Redraws the pictures in assets/ and assets/LAYOUT.md with qor-artgen.
# Qt writes no GIF, so ImageMagick's convert makes the .gif and .ico files from PNG.
#   tools/artgen/make-assets.sh [PREVIEW.png]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${ARTGEN_BUILD_DIR:-$root/build-artgen}
assets=$root/assets
export QT_QPA_PLATFORM=offscreen

command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 1; }
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target qor-artgen >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}
"$build/qor-artgen" "$work/out"

for png in "$work"/out/*.png; do
    name=$(basename "$png" .png)
    case "$name" in
        # No dithering: it would scatter stray pixels, and the drawings have few colours.
        *.gif) convert "$png" -dither None -colors 256 "$assets/$name" ;;
        *.ico) convert "$png" "$assets/$name" ;;
        *) cp "$png" "$assets/$name.png" ;;
    esac
done
cp "$work/out/LAYOUT.md" "$assets/LAYOUT.md"

# The preview (a mock-up of the windows, not an asset) is made from the finished files.
"$build/qor-artgen" --check "$assets" ${1:+--preview "$1"}
du -ch "$assets"/*.gif "$assets"/*.ico "$assets"/*.png | tail -n 1
