# Shared by the play and test scripts: makes sure the Debian packages the build needs are
# there, installing them when run as root, else saying the exact line to run.
# What playing needs; the test script asks for more.
PLAY_PACKAGES="cmake make g++ pkg-config libsdl2-dev libfluidsynth-dev timgm6mb-soundfont libpng-dev"
TEST_PACKAGES="libgtest-dev libbenchmark-dev clang-format-14 ninja-build g++-mingw-w64-x86-64-posix"
# Tests that drive a live session on a virtual display and validate the installed desktop
# files use these when present and are skipped otherwise.
TEST_TOOL_PACKAGES="xvfb xdotool desktop-file-utils appstream"
# The Windows build (scripts/windows.sh) and its run under Wine.
WINDOWS_PACKAGES="g++-mingw-w64-x86-64-posix zip"
WINE_PACKAGES="wine64 xvfb xdotool python3"
# The web build (scripts/web.sh): Emscripten and the SoundFont the page trims; node and npm
# (for Emscripten's optimizer, the node runs and the page's npm packages) come from Debian's
# nodejs and npm when the machine has none of its own.
WEB_PACKAGES="emscripten cmake ninja-build g++ python3 timgm6mb-soundfont"
# The browser test (tests/web/browser_test.mjs).
BROWSER_PACKAGES="chromium"

missing_packages() {  # missing_packages PACKAGE...: prints those not installed, each after a space
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || printf ' %s' "$p"
  done
}

ensure_packages() {  # ensure_packages PACKAGE...
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" = 0 ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq $missing
  else
    echo "These Debian packages are missing. Run, then try again:"
    echo "  sudo apt-get install -y$missing"
    exit 1
  fi
}

build_tree() {  # build_tree DIR [cmake options...]: configures and builds everything
  dir=$1; shift
  # Ninja keeps both cores busy across targets; a folder set up before keeps its generator.
  generator=""
  if [ ! -f "$TOP/$dir/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then generator="-GNinja"; fi
  cmake -S "$TOP" -B "$TOP/$dir" $generator "$@" >/dev/null && cmake --build "$TOP/$dir" -j"$(nproc)"
}

offer_packages() {  # offer_packages PACKAGE...: installs them as root, else says which tests skip
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" = 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -qq $missing || echo "Could not install$missing: the tests that need them are skipped."
  else
    echo "Without$missing some tests are skipped; to run them: sudo apt-get install -y$missing"
  fi
}
