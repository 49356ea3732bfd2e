#!/bin/sh
# Start-up to the first frame, side by side with the synthesizer's own command line loading
# the same SoundFont with samples read on demand: median of RUNS runs each, the ratio, and
# the game's peak resident memory. Builds named after RUNS are measured in the same rounds,
# turn and turn about (to compare a change with what it changes). Needs the `fluidsynth`
# command (Debian package fluidsynth); fonts that are not installed are skipped.
#   bench/startup.sh [BUILD_DIR] [RUNS] [OTHER_BUILD_DIR...]
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
BUILDS=$(cd "${1:-$TOP/build}" && pwd)
RUNS=${2:-7}
[ $# -ge 2 ] && shift 2 || shift $#
for other in "$@"; do BUILDS="$BUILDS $(cd "$other" && pwd)"; done
command -v fluidsynth >/dev/null || { echo "needs the fluidsynth command: apt-get install fluidsynth"; exit 1; }
for build in $BUILDS; do
  [ -x "$build/trundlebop" ] || { echo "no $build/trundlebop: build first"; exit 1; }
done
FIRST=$(echo $BUILDS | cut -d' ' -f1)

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# seconds (to the microsecond, where time's own %e gives hundredths) and peak KB of one
# run of a command, as "S KB"
measure() {
  start=$(date +%s.%N)
  kb=$(/usr/bin/time -f "%M" "$@" 2>&1 >/dev/null </dev/null | tail -1)
  end=$(date +%s.%N)
  echo "$(echo "$start $end" | awk '{ printf "%.4f", $2 - $1 }') $kb"
}

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$FIRST/assets"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
for font in /usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/sounds/sf2/FluidR3_GM.sf2; do
  [ -r "$font" ] || { echo "$(basename "$font"): not installed, skipped"; continue; }
  rm -f "$WORK"/*
  i=0
  while [ $i -lt "$RUNS" ]; do
    b=0
    for build in $BUILDS; do
      set -- $(measure "$build/trundlebop" --headless --frames 1 --soundfont "$font")
      echo "$1" >>"$WORK/time$b"; echo "$2" >>"$WORK/kb$b"
      b=$((b + 1))
    done
    set -- $(measure fluidsynth -ni -o synth.dynamic-sample-loading=1 "$font")
    echo "$1" >>"$WORK/cli"
    i=$((i + 1))
  done
  c=$(median <"$WORK/cli")
  b=0
  for build in $BUILDS; do
    g=$(median <"$WORK/time$b")
    kb=$(median <"$WORK/kb$b")
    echo "$(basename "$font"): $build: game $g s, synthesizer alone $c s, ratio $(echo "$g $c" | awk '{ printf "%.2f", $1 / $2 }'), game resident $((kb / 1024)) MB"
    b=$((b + 1))
  done
done
