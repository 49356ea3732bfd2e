#!/bin/sh
# The web build's checks (scripts/web.sh --check): the web program under node against the
# native program, then the page in headless Chromium. Needs the native program (build/)
# beside the site; Chromium is installed when run as root, and the browser check is skipped,
# saying so, when it cannot be.
#
#   tests/web/check.sh ASSET_DIR
set -e
TOP=$(cd "$(dirname "$0")/../.." && pwd)
. "$TOP/scripts/common.sh"
ASSETS=$1
NATIVE=$TOP/build/trundlebop
if [ ! -x "$NATIVE" ]; then
  ensure_packages $PLAY_PACKAGES
  cmake -S "$TOP" -B "$TOP/build" >/dev/null
  cmake --build "$TOP/build" -j"$(nproc)" --target trundlebop assets
  ASSETS=$TOP/build/assets
fi

echo "== the web program under node against the native program"
python3 "$TOP/tests/web/same_run.py" "$NATIVE" "$TOP/build-emscripten/trundlebop.js" "$ASSETS"

echo "== the page in headless Chromium"
offer_packages $BROWSER_PACKAGES
if [ -n "$(missing_packages $BROWSER_PACKAGES)" ] || [ ! -d "$TOP/web/node_modules/playwright-core" ]; then
  echo "== the browser check was skipped: Chromium or playwright-core is missing (see above)"
  exit 0
fi
node "$TOP/tests/web/browser_test.mjs" "$TOP/build-web" "$NATIVE" "$ASSETS" "${WEB_PASSES:-1000}"
