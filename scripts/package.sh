#!/bin/sh
# Builds the Debian package as a release: a Release tree with Debian's own build flags
# (hardening included) in build-release, then cpack, which strips the program and asks
# dpkg-shlibdeps for the libraries it depends on. Gives build-release/trundlebop_*.deb.
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
. "$TOP/scripts/common.sh"
ensure_packages $PLAY_PACKAGES dpkg-dev
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  build_tree build-release -DCMAKE_BUILD_TYPE=Release -DTRUNDLEBOP_TESTS=OFF -DTRUNDLEBOP_BENCH=OFF
(cd "$TOP/build-release" && cpack -G DEB)
ls "$TOP"/build-release/trundlebop_*.deb
