#!/bin/bash
# The whole program's cost in play on a virtual display: the processor time of all its
# threads (percent of one core) over SECONDS on the menu and in each level, played by the
# level's timedemo script, with the sound going to SDL's disk audio driver; and, from the
# same --stats lines, how soon each pass's sound reached that device. Prints the machine's
# load beside them: on a busy machine every figure grows.
#
#   bench/play_cost.sh [BUILD_DIR] [SECONDS] [GAME_OPTION...]     (defaults: build, 30)
#
# The game options go to every run: --no-music-synthesis, say, measures the same play with the
# music's synthesis left out and nothing else, which tells how much of the cost is the music's.
# Needs Xvfb (Debian package xvfb). Builds nothing.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
seconds="${2:-30}"
options=("${@:3}")
game="$build/trundlebop"
[[ -x "$game" && -d "$build/assets" ]] || { echo "play_cost: no game and assets in $build; build first" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "play_cost: needs Xvfb (apt-get install xvfb)" >&2; exit 1; }

work="$(mktemp -d)"
for n in $(seq 90 140); do [[ -e /tmp/.X$n-lock ]] || break; done
Xvfb ":$n" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=":$n" XDG_CONFIG_HOME="$work" HOME="$work" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

echo "# the menu, untouched" >"$work/menu.txt"
printf '%-16s %8s %8s %8s %8s %9s  %s\n' place process% main% p50_ms max_ms underruns load
for place in menu level1_ride level2_girders level3_rooms; do
    script="$here/$place.txt"
    [[ $place == menu ]] && script="$work/menu.txt"
    (cd "$build/assets" && exec "$game" --window --scale 1 --stats "${options[@]}" --play "$script" 2>"$work/$place.log") &
    pid=$!
    sleep "$seconds"
    load="$(cut -d' ' -f1 /proc/loadavg)"
    kill -TERM "$pid"
    wait "$pid" || true
    line="$(grep '^stats:' "$work/$place.log" || true)"
    field() { sed -n "s/.* $1=\([0-9.]*\).*/\1/p" <<<"$line"; }
    printf '%-16s %8s %8s %8s %8s %9s  %s\n' "$place" "$(field cpu_process_pct)" "$(field cpu_main_pct)" \
        "$(field audio_latency_ms_p50)" "$(field audio_latency_ms_max)" "$(field audio_underruns)" "$load"
done
