#!/bin/sh
# Makes the default alert sounds shipped beside the program: neutral tones
# that users replace with recordings of their choice.
#
#   ezan.wav     the adhan (a rising three-note chime, twice)
#   sala.wav     the salawaat (two soft notes)
#   ezandua.wav  the supplication after the adhan (a slow falling tone)
#
# 16-bit mono PCM at 11025 Hz. sox runs in repeatable mode without dither,
# so the same sox version writes the same bytes every time.
#
# Usage: tools/make_default_sounds.sh [output folder]   (default data/sounds)
set -eu

out=${1:-"$(dirname "$0")/../data/sounds"}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rate=11025
sox_quiet="sox -R -D -V1"

# note NAME SECONDS FREQUENCY: a sine with a soft start and a long fade.
note() {
  $sox_quiet -n -r $rate -c 1 -b 16 "$work/$1.wav" synth "$2" sine "$3" fade q 0.04 "$2" "$(awk "BEGIN { print $2 * 0.6 }")"
}

note a 0.55 440.00
note b 0.55 554.37
note c 0.90 659.25
note rest 0.35 0
$sox_quiet "$work/a.wav" "$work/b.wav" "$work/c.wav" "$work/rest.wav" \
           "$work/a.wav" "$work/b.wav" "$work/c.wav" "$work/ezan.wav"
$sox_quiet "$work/ezan.wav" "$out/ezan.wav" gain -n -3

note d 0.8 523.25
note e 1.2 392.00
$sox_quiet "$work/d.wav" "$work/e.wav" "$work/sala.wav"
$sox_quiet "$work/sala.wav" "$out/sala.wav" gain -n -6

$sox_quiet -n -r $rate -c 1 -b 16 "$work/dua.wav" synth 2.6 sine 587.33-392.00 fade q 0.1 2.6 1.2
$sox_quiet "$work/dua.wav" "$out/ezandua.wav" gain -n -6

for f in ezan sala ezandua; do
  printf '%s.wav: %s s, %s bytes\n' "$f" "$(soxi -D "$out/$f.wav")" "$(wc -c < "$out/$f.wav")"
done
