#!/usr/bin/env bash
# Exports every page of scripts/pages at several zooms with two builds of Almarin and compares the
# PNGs pixel for pixel (ImageMagick's compare), so that a change to the drawing code can show that it
# leaves the pages as they were.
#
#   scripts/compare-pages.sh OLD_ALMARIN NEW_ALMARIN [WORK_FOLDER]
#
# The old binary's images are kept in WORK_FOLDER/reference and reused while they are newer than the
# binary. Exit status 1 when any page differs (the differing pixels are counted per page).
set -euo pipefail
old=$(realpath "$1")
new=$(realpath "$2")
work=$(realpath -m "${3:-${TMPDIR:-/tmp}/almarin-compare-pages}")
pages="$(cd "$(dirname "$0")" && pwd)/pages"
zooms=(100 75 150)
export QT_QPA_PLATFORM=offscreen

export_all() { # binary folder
    mkdir -p "$2"
    for doc in "$pages"/*.qxf; do
        for zoom in "${zooms[@]}"; do
            "$1" --export "$2/$(basename "$doc" .qxf)-$zoom.png" "$doc" --zoom "$zoom" >/dev/null
        done
    done
}

if [[ ! -d "$work/reference" || "$old" -nt "$work/reference" ]]; then
    rm -rf "$work/reference"
    export_all "$old" "$work/reference"
fi
rm -rf "$work/new"
export_all "$new" "$work/new"

differing=0
for image in "$work/reference"/*.png; do
    name=$(basename "$image")
    pixels=$(compare -metric AE "$image" "$work/new/$name" null: 2>&1 || true)
    if [[ "$pixels" != "0" ]]; then
        echo "$name: $pixels pixels differ"
        differing=$((differing + 1))
    fi
done
echo "$(ls "$work/reference" | wc -l) images compared, $differing differ"
[[ $differing == 0 ]]
