# Shared by the play and test scripts: makes sure the Debian packages the build needs are
# there, installing them when run as root, else saying the exact line to run.
# What playing needs; the test script asks for more.
PLAY_PACKAGES="cmake make g++ pkg-config libsdl2-dev libfluidsynth-dev timgm6mb-soundfont libpng-dev"
# The tests also drive a live session on a virtual display and check the installed desktop files.
TEST_PACKAGES="libgtest-dev libbenchmark-dev xvfb xdotool desktop-file-utils appstream"

ensure_packages() {  # ensure_packages PACKAGE...
  missing=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
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
  cmake -S "$TOP" -B "$TOP/$dir" "$@" >/dev/null && cmake --build "$TOP/$dir" -j"$(nproc)"
}
