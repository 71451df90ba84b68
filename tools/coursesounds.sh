#!/usr/bin/env bash
# Generates the course's sounds into a staged installation tree:
#   hzvk/klang/*.wav   page sounds: Spanish phrases spoken by espeak-ng, short tones made with sox
#   MP3/*.mp3          background music: simple melodies synthesised with sox, encoded with lame
# Files that exist already are kept, so repeated builds cost nothing.
# Usage: coursesounds.sh STAGE_DIR
set -euo pipefail

stage=${1:?usage: coursesounds.sh STAGE_DIR}
klang="$stage/hzvk/klang"
music="$stage/MP3"
mkdir -p "$klang" "$music"

for tool in espeak-ng sox lame; do
  command -v "$tool" >/dev/null || { echo "coursesounds: $tool is missing (scripts/install-deps installs it)" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Speech: 16-bit mono 44.1 kHz, like the learner's own recordings.
speak() {  # file text [speed]
  local out="$klang/$1.wav"
  [ -s "$out" ] && return 0
  espeak-ng -v es -s "${3:-150}" -w "$tmp/raw.wav" "$2"
  sox "$tmp/raw.wav" -r 44100 -c 1 -b 16 "$tmp/out.wav"
  mv "$tmp/out.wav" "$out"
}

tone() {  # file sox-synth-arguments...
  local out="$klang/$1.wav"
  shift
  [ -s "$out" ] && return 0
  sox -n -r 44100 -c 1 -b 16 "$tmp/out.wav" "$@"
  mv "$tmp/out.wav" "$out"
}

speak hola "¡Hola! ¿Qué tal?"
speak buenos_dias "Buenos días."
speak gracias "Muchas gracias."
speak me_llamo "Me llamo Ana. ¿Y usted, cómo se llama?"
speak me_llamo_lento "Me llamo Ana. ¿Y usted, cómo se llama?" 110
speak hasta_luego "¡Hasta luego!"

tone klick synth 0.03 sine 1800 fade 0 0.03 0.02 vol 0.4
tone richtig synth 0.12 sine 660 : synth 0.2 sine 880 fade 0 0.2 0.1
tone falsch synth 0.25 square 220 fade 0 0.25 0.15 vol 0.3
tone gong synth 1.2 pluck 440 fade 0 1.2 1.0
# The same gong as MP3: a page's ONSHOW plays MP3 files.
[ -s "$klang/gong.mp3" ] || { lame --quiet -b 64 "$klang/gong.wav" "$tmp/gong.mp3" && mv "$tmp/gong.mp3" "$klang/gong.mp3"; }

# Music: a few calm tracks of plucked chords over a soft pad.
melody() {  # file seconds notes...
  local out="$music/$1.mp3" seconds=$2
  shift 2
  # Made again when this recipe changes.
  [ -s "$out" ] && [ "$out" -nt "${BASH_SOURCE[0]}" ] && return 0
  local parts=()
  for note in "$@"; do
    sox -n -r 44100 -c 2 -b 16 "$tmp/n$note.wav" synth 0.75 pluck "$note" fade 0 0.75 0.5 vol 0.5
    parts+=("$tmp/n$note.wav")
  done
  sox "${parts[@]}" "$tmp/line.wav"
  sox "$tmp/line.wav" "$tmp/loop.wav" repeat $(( seconds * 4 / (3 * $#) + 1 )) trim 0 "$seconds"
  sox -n -r 44100 -c 2 -b 16 "$tmp/pad.wav" synth "$seconds" sine "$1" sine "$2" vol 0.08 fade 2 "$seconds" 3 2>/dev/null ||
    sox -n -r 44100 -c 2 -b 16 "$tmp/pad.wav" synth "$seconds" sine 220 vol 0.08
  # A short fade in and a long fade out: one title follows another without a click.
  sox -m "$tmp/loop.wav" "$tmp/pad.wav" "$tmp/track.wav" reverb 40 fade 0.08 "$seconds" 2
  lame --quiet -b 96 "$tmp/track.wav" "$tmp/track.mp3"
  mv "$tmp/track.mp3" "$out"
}

melody manana 40 C4 E4 G4 C5 G4 E4 A3 C4 E4 A4 E4 C4
melody siesta 40 D4 F4 A4 D5 A4 F4 G3 B3 D4 G4 D4 B3
melody paseo 40 E4 G4 B4 E5 B4 G4 C4 E4 G4 C5 G4 E4
