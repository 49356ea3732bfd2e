#!/bin/sh
# Builds the game and plays it, full screen (pass --window for a window).
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
. "$TOP/scripts/common.sh"
ensure_packages
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cd "$TOP/build/assets"
exec "$TOP/build/trundlebop" "$@"
