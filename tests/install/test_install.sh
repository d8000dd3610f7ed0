#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks it as a desktop would see it: the launcher
# and metadata validate, documents and style sheets are recognised by name and by content, and the
# installed program works from another folder.
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for asset in Borders ClipArt Textures help misc1.icl BonusIcons/Signs.icl; do
  [ -e "$prefix/share/almarin/$asset" ] || { echo "not installed: $asset"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/io.almarin.Almarin.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.almarin.Almarin.metainfo.xml" >/dev/null
# The metadata's release is the one the program says it is.
number=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/almarin" --version | sed -n 's/^Almarin \([0-9.]*\).*/\1/p')
grep -q "<release version=\"$number\"" "$prefix/share/metainfo/io.almarin.Almarin.metainfo.xml" ||
  { echo "the metadata's release is not $number"; exit 1; }

update-mime-database "$prefix/share/mime"
document=$source/fuzz/corpus/documentreader/new-page.qxf
style=$source/fuzz/corpus/stylesheetreader/style.qxs
cp "$document" "$work/Plain"
cp "$style" "$work/Style"
expect() {
  local got
  got=$(XDG_DATA_DIRS="$prefix/share:/usr/share" XDG_DATA_HOME="$work/none" XDG_CURRENT_DESKTOP=GNOME \
        xdg-mime query filetype "$1")
  [ "$got" = "$2" ] || { echo "$1: $got, expected $2"; exit 1; }
}
expect "$document" application/x-almarin-calendar
expect "$style" application/x-almarin-stylesheet
expect "$work/Plain" application/x-almarin-calendar
expect "$work/Style" application/x-almarin-stylesheet

cd "$work"
HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
  "$prefix/bin/almarin" --export page.png "$document"
[ -s page.png ] || { echo "the installed program wrote no page"; exit 1; }
# The installed assets folder is shared: nothing of the user's lands there.
[ -z "$(find "$prefix/share/almarin" -newer page.png -o -name 'QX.ini')" ] || { echo "user files in the assets folder"; exit 1; }
echo "install checks passed"
