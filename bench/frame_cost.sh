#!/bin/bash
# What one frame of each level costs, against the floor of copying one 640x480 16-bit frame
# with memcpy, both measured in this one run so that a busy machine weighs on both alike.
#
#   bench/frame_cost.sh [-n ROUNDS] [BUILD_DIR...]     (defaults: 7 rounds, build)
#
# Builds nothing. Each round runs BUILD_DIR/trundlebop_bench --benchmark_filter=^FloorMemcpy$
# (from the first BUILD_DIR) and then every level's timedemo script with each BUILD_DIR's
# game, so that two builds given together are measured side by side, turn and turn about.
# It prints the medians: each level's microseconds per frame and its ratio to the floor.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
rounds=7
if [[ "${1:-}" == "-n" ]]; then
    rounds="$2"
    shift 2
fi
builds=()
for dir in "${@:-$here/../build}"; do
    builds+=("$(cd "$dir" && pwd)")
done
scripts=(level1_ride level2_girders level3_rooms)

for build in "${builds[@]}"; do
    [[ -x "$build/trundlebop" && -d "$build/assets" ]] ||
        { echo "frame_cost: no game and assets in $build; build first" >&2; exit 1; }
done
bench="${builds[0]}/trundlebop_bench"
[[ -x "$bench" ]] || { echo "frame_cost: $bench is missing; build first" >&2; exit 1; }

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT

for ((round = 1; round <= rounds; ++round)); do
    # The floor: wall time of one frame's memcpy, in microseconds.
    "$bench" --benchmark_filter='^FloorMemcpy$' --benchmark_min_time=0.05 --benchmark_format=csv 2>/dev/null |
        awk -F, '$1 == "\"FloorMemcpy\"" { t = $3; if ($5 == "ns") t /= 1000; else if ($5 == "ms") t *= 1000; print t }' \
            >>"$results/floor"
    for b in "${!builds[@]}"; do
        for name in "${scripts[@]}"; do
            # "N frames in T ms: F fps, U us/frame": the field before "us/frame".
            (cd "${builds[$b]}/assets" && "${builds[$b]}/trundlebop" --timedemo "$here/$name.txt") |
                awk '{ for (i = 2; i <= NF; ++i) if ($i == "us/frame") print $(i - 1) }' >>"$results/$b.$name"
        done
    done
done

floor="$(median <"$results/floor")"
printf '%-16s %10s %8s   (medians of %d rounds)\n' "" "us/frame" "ratio" "$rounds"
printf '%-16s %10.1f %8s\n' "memcpy floor" "$floor" "1.00x"
for b in "${!builds[@]}"; do
    ((${#builds[@]} > 1)) && echo "${builds[$b]}"
    for name in "${scripts[@]}"; do
        us="$(median <"$results/$b.$name")"
        printf '%-16s %10.1f %7.2fx\n' "$name" "$us" "$(awk -v a="$us" -v b="$floor" 'BEGIN { print a / b }')"
    done
done
