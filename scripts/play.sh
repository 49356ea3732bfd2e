#!/bin/sh
# Builds the game and plays it, full screen (pass --window for a window).
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
. "$TOP/scripts/common.sh"
ensure_packages $PLAY_PACKAGES
# Only the program and its game files: the tests and benchmarks wait for the test script.
cmake -S "$TOP" -B "$TOP/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRUNDLEBOP_TESTS=OFF -DTRUNDLEBOP_BENCH=OFF >/dev/null
cmake --build "$TOP/build" -j"$(nproc)" --target trundlebop
cd "$TOP/build/assets"
exec "$TOP/build/trundlebop" "$@"
