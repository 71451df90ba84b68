#!/usr/bin/env bash
# Draws the course's emblems and the header band from their vector
# descriptions in tools/coursepictures/ into STAGE/hzvk/bilder/.
# White shapes on black: the pages lay them over the area colours with a
# lightening blend mode, so one picture serves every colour.
# Usage: tools/coursepictures.sh STAGE
set -euo pipefail

stage=${1:?usage: coursepictures.sh STAGE}
src=$(cd "$(dirname "$0")/coursepictures" && pwd)
out="$stage/hzvk/bilder"

if ! command -v rsvg-convert >/dev/null; then
  echo "coursepictures: rsvg-convert fehlt (Debian-Paket librsvg2-bin, scripts/install-deps)" >&2
  exit 1
fi
mkdir -p "$out"

for svg in "$src"/*.svg; do
  name=$(basename "$svg" .svg)
  png="$out/$name.png"
  # Only pictures whose description changed are drawn again.
  if [ ! -e "$png" ] || [ "$svg" -nt "$png" ]; then
    tmp=$(mktemp "$out/.zvk-XXXXXX")
    rsvg-convert --background-color=black --format=png "$svg" -o "$tmp"
    mv "$tmp" "$png"
  fi
done
