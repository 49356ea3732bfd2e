#!/bin/bash
# What one frame of each level costs, against the floor of copying one 640x480 16-bit frame
# with memcpy, both measured in this one run so that a busy machine weighs on both alike.
#
#   bench/frame_cost.sh [BUILD_DIR] [ROUNDS]     (defaults: build, 7)
#
# Builds nothing: it runs BUILD_DIR/trundlebop --timedemo on each level's script and
# BUILD_DIR/trundlebop_bench --benchmark_filter=^FloorMemcpy$, interleaved, ROUNDS times,
# and prints the median of each, with each level's ratio to the floor.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
rounds="${2:-7}"
scripts=(level1_ride level2_girders level3_rooms)

for tool in "$build/trundlebop" "$build/trundlebop_bench"; do
    [[ -x "$tool" ]] || { echo "frame_cost: $tool is missing; build first" >&2; exit 1; }
done

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT

for ((round = 1; round <= rounds; ++round)); do
    # The floor: wall time of one frame's memcpy, in microseconds.
    "$build/trundlebop_bench" --benchmark_filter='^FloorMemcpy$' --benchmark_min_time=0.05 \
        --benchmark_format=csv 2>/dev/null |
        awk -F, '$1 == "\"FloorMemcpy\"" { unit = $5; t = $3;
                 if (unit == "ns") t /= 1000; else if (unit == "ms") t *= 1000;
                 print t }' >>"$results/floor"
    for name in "${scripts[@]}"; do
        # "N frames in T ms: F fps, U us/frame": the field before "us/frame".
        (cd "$build/assets" && ../trundlebop --timedemo "$here/$name.txt") |
            awk '{ for (i = 2; i <= NF; ++i) if ($i == "us/frame") print $(i - 1) }' >>"$results/$name"
    done
done

floor="$(median <"$results/floor")"
printf '%-16s %10s %8s   (median of %d rounds)\n' "" "us/frame" "ratio" "$rounds"
printf '%-16s %10.1f %8s\n' "memcpy floor" "$floor" "1.00x"
for name in "${scripts[@]}"; do
    us="$(median <"$results/$name")"
    printf '%-16s %10.1f %7.2fx\n' "$name" "$us" "$(awk -v a="$us" -v b="$floor" 'BEGIN { print a / b }')"
done
