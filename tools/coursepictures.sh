#!/usr/bin/env bash
# Draws the course's pictures from their vector descriptions:
# - tools/coursepictures/*.svg, the emblems and the header band, into
#   STAGE/hzvk/bilder/. White shapes on black: the pages lay them over the
#   area colours with a lightening blend mode, so one picture serves every
#   colour.
# - tools/coursepictures/editor/*.svg, the editor's flags and tool-bar
#   pictures, into STAGE/Editor/bilder/, in colour on a transparent
#   background.
# Usage: tools/coursepictures.sh STAGE
set -euo pipefail

stage=${1:?usage: coursepictures.sh STAGE}
src=$(cd "$(dirname "$0")/coursepictures" && pwd)

if ! command -v rsvg-convert >/dev/null; then
  echo "coursepictures: rsvg-convert fehlt (Debian-Paket librsvg2-bin, scripts/install-deps)" >&2
  exit 1
fi

# draw FROM TO [rsvg-convert options]: every FROM/*.svg as TO/NAME.png, in
# the size its description gives.
draw() {
  local from=$1 to=$2
  shift 2
  mkdir -p "$to"
  for svg in "$from"/*.svg; do
    [ -e "$svg" ] || continue
    local name png tmp
    name=$(basename "$svg" .svg)
    png="$to/$name.png"
    # Only pictures whose description changed are drawn again.
    if [ ! -e "$png" ] || [ "$svg" -nt "$png" ]; then
      tmp=$(mktemp "$to/.zvk-XXXXXX")
      rsvg-convert "$@" --format=png "$svg" -o "$tmp"
      chmod 644 "$tmp"
      mv "$tmp" "$png"
    fi
  done
  # Readable by everyone, also pictures drawn before this rule.
  chmod 644 "$to"/*.png 2>/dev/null || true
}

draw "$src" "$stage/hzvk/bilder" --background-color=black
draw "$src/editor" "$stage/Editor/bilder"
