#!/bin/sh
# Builds the game and runs every test twice: in the normal build and in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer; then the web build, run under node and
# played in headless Chromium; then the Windows build, played under Wine and compared with
# the Linux build. Each part says how long it took.
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
. "$TOP/scripts/common.sh"
ensure_packages $PLAY_PACKAGES $TEST_PACKAGES
offer_packages $TEST_TOOL_PACKAGES
jobs=$(nproc)
started=$(date +%s)

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
echo "== native builds and tests: $(($(date +%s) - started)) s"

echo "== the web build, under node and in Chromium"
started=$(date +%s)
offer_packages $WEB_PACKAGES
if [ -n "$(missing_packages $WEB_PACKAGES)" ]; then
  echo "== the web check was skipped: its packages are missing (see above)"
else
  status=0
  "$TOP/scripts/web.sh" --check || status=$?
  case $status in
    0) echo "== the web check: $(($(date +%s) - started)) s" ;;
    77) echo "== the web check was skipped (see above)" ;;
    *) echo "== the web check failed after $(($(date +%s) - started)) s"; exit 1 ;;
  esac
fi

echo "== the Windows build under Wine"
started=$(date +%s)
offer_packages $WINDOWS_PACKAGES $WINE_PACKAGES
if [ -n "$(missing_packages $WINDOWS_PACKAGES $WINE_PACKAGES)" ]; then
  echo "== the Windows check was skipped: its packages are missing (see above)"
  exit 0
fi
status=0
"$TOP/scripts/windows.sh" --check || status=$?
case $status in
  0) echo "== the Windows check: $(($(date +%s) - started)) s" ;;
  77) echo "== the Windows check was skipped (see above)" ;;
  *) echo "== the Windows check failed after $(($(date +%s) - started)) s"; exit 1 ;;
esac
