#!/bin/bash
# What a frame of each level costs in the web build's program (WebAssembly under node, with
# the page's Asyncify) against the native program, measured side by side, turn and turn
# about, so that a busy machine weighs on both alike.
#
#   bench/web_frame_cost.sh [-n ROUNDS]        (default: 5 rounds)
#
# Builds nothing: needs build/trundlebop with build/assets, and build-emscripten/trundlebop.js
# (scripts/web.sh). Prints each level's median microseconds per frame and the ratio.
set -euo pipefail

top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
rounds=5
if [[ "${1:-}" == "-n" ]]; then rounds="$2"; fi
native="$top/build/trundlebop"
web="$top/build-emscripten/trundlebop.js"
assets="$top/build/assets"
[[ -x "$native" && -d "$assets" && -f "$web" ]] || { echo "web_frame_cost: build both first" >&2; exit 1; }

us() {  # us PROGRAM... : the timedemo's microseconds per frame
    "$@" 2>/dev/null | sed -n 's/.* \([0-9.]*\) us\/frame/\1/p'
}
# A page plays long enough for the browser's optimizing compiler to take over from its
# baseline one; --no-liftoff has node optimize from the first frame, so the short timedemo
# measures that steady state.
# The web program under node has no synthesizer, so the native one plays without music too:
# the game's own work and the mix of its sound effects are measured, alike.
nomusic=(--soundfont /nonexistent/no-music.sf2)
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

printf '%-16s %12s %12s %8s\n' level "native us" "wasm us" ratio
for level in level1_ride level2_girders level3_rooms; do
    script="$top/bench/$level.txt"
    n=() w=()
    for ((i = 0; i < rounds; i++)); do
        n+=("$(us "$native" --data "$assets" "${nomusic[@]}" --timedemo "$script")")
        w+=("$(us node --no-experimental-fetch --no-liftoff "$web" --data "$assets" "${nomusic[@]}" --timedemo "$script")")
    done
    nm=$(printf '%s\n' "${n[@]}" | median)
    wm=$(printf '%s\n' "${w[@]}" | median)
    printf '%-16s %12s %12s %8.2f\n' "$level" "$nm" "$wm" "$(echo "$wm / $nm" | bc -l)"
done
