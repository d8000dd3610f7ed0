#!/usr/bin/env bash
# Remakes the metafiles and LibreOffice's own renderings of them from the drawings beside this script.
# Needs LibreOffice Draw (apt-get install libreoffice-draw); the tests only read what it made.
set -euo pipefail
cd "$(dirname "$0")"
out=$(mktemp -d)
for drawing in *.fodg; do
  for format in wmf emf png; do
    soffice --headless --convert-to "$format" --outdir "$out" "$drawing" >/dev/null
  done
done
cp "$out"/* .
rm -rf "$out"
