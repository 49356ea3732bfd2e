#!/bin/sh
# Start-up to the first frame, side by side with the synthesizer's own command line loading
# the same SoundFont with samples read on demand: median of RUNS runs each, the ratio, and
# the game's peak resident memory. Needs the `fluidsynth` command (Debian package
# fluidsynth); fonts that are not installed are skipped.
#   bench/startup.sh [BUILD_DIR] [RUNS]
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$TOP/build}" && pwd)
RUNS=${2:-7}
GAME=$BUILD/trundlebop
command -v fluidsynth >/dev/null || { echo "needs the fluidsynth command: apt-get install fluidsynth"; exit 1; }
[ -x "$GAME" ] || { echo "no $GAME: build first"; exit 1; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# seconds and peak KB of one run of a command, as "S KB"
measure() { /usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null </dev/null | tail -1; }

cd "$BUILD/assets"
for font in /usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/sounds/sf2/FluidR3_GM.sf2; do
  [ -r "$font" ] || { echo "$(basename "$font"): not installed, skipped"; continue; }
  game_times=""; cli_times=""; game_kb=""
  i=0
  while [ $i -lt "$RUNS" ]; do
    set -- $(measure "$GAME" --headless --frames 1 --soundfont "$font")
    game_times="$game_times $1"; game_kb="$game_kb $2"
    set -- $(measure fluidsynth -ni -o synth.dynamic-sample-loading=1 "$font")
    cli_times="$cli_times $1"
    i=$((i + 1))
  done
  g=$(echo $game_times | tr ' ' '\n' | median)
  c=$(echo $cli_times | tr ' ' '\n' | median)
  kb=$(echo $game_kb | tr ' ' '\n' | median)
  echo "$(basename "$font"): game $g s, synthesizer alone $c s, ratio $(echo "$g $c" | awk '{ printf "%.2f", $1 / $2 }'), game resident $((kb / 1024)) MB"
done
