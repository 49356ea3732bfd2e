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

# One of the other platforms' checks: its name, its packages, then its command. Skipped only
# when its packages cannot be installed or the check itself says so (exit 77).
platform_check() {
  name=$1
  packages=$2
  shift 2
  started=$(date +%s)
  offer_packages $packages
  if [ -n "$(missing_packages $packages)" ]; then
    echo "== the $name check was skipped: its packages are missing (see above)"
    return 0
  fi
  status=0
  "$@" || status=$?
  case $status in
    0) echo "== the $name check: $(($(date +%s) - started)) s" ;;
    77) echo "== the $name check was skipped (see above)" ;;
    *) echo "== the $name check failed after $(($(date +%s) - started)) s"; exit 1 ;;
  esac
}

echo "== the web build, under node and in Chromium"
platform_check web "$WEB_PACKAGES" "$TOP/scripts/web.sh" --check

echo "== the Windows build under Wine"
platform_check Windows "$WINDOWS_PACKAGES $WINE_PACKAGES" "$TOP/scripts/windows.sh" --check
