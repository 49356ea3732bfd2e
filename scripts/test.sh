#!/bin/sh
# Builds the game and runs every test twice: in the normal build and in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
. "$TOP/scripts/common.sh"
ensure_packages $PLAY_PACKAGES $TEST_PACKAGES
offer_packages $TEST_TOOL_PACKAGES
jobs=$(nproc)

echo "== normal build"
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRUNDLEBOP_TESTS=ON -DTRUNDLEBOP_BENCH=ON
(cd "$TOP/build" && ctest --output-on-failure -j"$jobs")

echo "== sanitizer build"
# The game's code at -O1, as the sanitizers' authors advise for speed: every check stays,
# and the longest in-process test takes two thirds of its unoptimized time.
build_tree build-sanitize -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DTRUNDLEBOP_SANITIZE=ON \
  -DTRUNDLEBOP_TESTS=ON -DTRUNDLEBOP_BENCH=OFF
(cd "$TOP/build-sanitize" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs")
