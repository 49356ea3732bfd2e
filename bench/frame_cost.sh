#!/bin/bash
# What one frame of each level costs, against the floor of copying one 640x480 16-bit frame
# with memcpy, both measured in this one run so that a busy machine weighs on both alike.
# Each level is measured twice: as the timedemo plays it, with the music synthesized into
# each pass's mix as in play; and with --no-music-synthesis, which leaves out exactly the
# music's synthesis (the synthesizer renders nothing and its player plays no notes) and
# nothing else: the drawing, the game, the sound effects and the mix all run as ever, and the
# pieces start and end on the same passes. The second figure is the drawing and the game's.
#
#   bench/frame_cost.sh [-n ROUNDS] [BUILD_DIR...]     (defaults: 7 rounds, build)
#
# Builds nothing. Each round runs BUILD_DIR/trundlebop_bench --benchmark_filter=^FloorMemcpy$
# (from the first BUILD_DIR) and then every level's timedemo script with each BUILD_DIR's
# game, so that two builds given together are measured side by side, turn and turn about.
# It prints the medians: each level's microseconds per frame and its ratio to the floor,
# with the music and without its synthesis ("-" for a game that lacks the option).
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

# The ways each game plays the levels: "music", and "nosynth" where the game has the option.
ways=()
for b in "${!builds[@]}"; do
    ways[$b]="music"
    "${builds[$b]}/trundlebop" --help | grep -q -- '--no-music-synthesis' && ways[$b]="music nosynth"
done

for ((round = 1; round <= rounds; ++round)); do
    # The floor: wall time of one frame's memcpy, in microseconds.
    "$bench" --benchmark_filter='^FloorMemcpy$' --benchmark_min_time=0.05 --benchmark_format=csv 2>/dev/null |
        awk -F, '$1 == "\"FloorMemcpy\"" { t = $3; if ($5 == "ns") t /= 1000; else if ($5 == "ms") t *= 1000; print t }' \
            >>"$results/floor"
    for b in "${!builds[@]}"; do
        for name in "${scripts[@]}"; do
            for way in ${ways[$b]}; do
                option=()
                [[ $way == nosynth ]] && option=(--no-music-synthesis)
                # "N frames in T ms: F fps, U us/frame": the field before "us/frame".
                (cd "${builds[$b]}/assets" && "${builds[$b]}/trundlebop" --timedemo "$here/$name.txt" "${option[@]}") |
                    awk '{ for (i = 2; i <= NF; ++i) if ($i == "us/frame") print $(i - 1) }' >>"$results/$b.$name.$way"
            done
        done
    done
done

floor="$(median <"$results/floor")"
figures() {  # figures FILE: the median's microseconds and ratio, or dashes when there is no file
    if [[ -s "$1" ]]; then
        local us
        us="$(median <"$1")"
        printf '%10.1f %7.2fx' "$us" "$(awk -v a="$us" -v b="$floor" 'BEGIN { print a / b }')"
    else
        printf '%10s %8s' - -
    fi
}
printf '%-16s %19s   %19s   (medians of %d rounds)\n' "" "with music" "no music synthesis" "$rounds"
printf '%-16s %10s %8s   %10s %8s\n' "" "us/frame" "ratio" "us/frame" "ratio"
printf '%-16s %10.1f %8s\n' "memcpy floor" "$floor" "1.00x"
for b in "${!builds[@]}"; do
    ((${#builds[@]} > 1)) && echo "${builds[$b]}"
    for name in "${scripts[@]}"; do
        printf '%-16s %s   %s\n' "$name" "$(figures "$results/$b.$name.music")" "$(figures "$results/$b.$name.nosynth")"
    done
done
