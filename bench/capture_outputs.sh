#!/bin/bash
# Plays each timedemo script headless and keeps what the game showed and did: the trace of
# every pass and a picture every STEP passes. Two captures made by two builds of the game
# compare with `cmp` / `diff -r`: a change meant to make frames cheaper must leave both alone.
#
#   bench/capture_outputs.sh GAME_BINARY OUT_DIR [STEP]     (STEP defaults to 20)
#
# GAME_BINARY runs from the assets folder beside it, as the game expects.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
game="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
mkdir -p "$2"
out="$(cd "$2" && pwd)"
step="${3:-20}"

for script in "$here"/level*.txt; do
    name="$(basename "$script" .txt)"
    last="$(awk '!/^#/ && NF { p = $1 } END { print p + 10 }' "$script")"
    shots=()
    for ((pass = 1; pass <= last; pass += step)); do
        shots+=(--shot "$pass:$out/$name.$pass.png")
    done
    (cd "$(dirname "$game")/assets" &&
        "$game" --headless --frames "$last" --input "$script" --trace "$out/$name.trace" "${shots[@]}")
done
