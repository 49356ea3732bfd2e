#!/bin/sh
# Builds the game for the browser into build-web/, a static site: index.html and the page's
# scripts, the program's .js and .wasm (Emscripten, in build-emscripten/), the game files as
# one compressed pack, the music's synthesizer (FluidSynth compiled for the web, from the
# npm package js-synthesizer) and a SoundFont of the instruments the game's pieces use.
#
#   scripts/web.sh            build the site
#   scripts/web.sh --serve    build it and serve it on 127.0.0.1 (PORT, default 8000)
#   scripts/web.sh --check    build it, then compare the web program under node with the
#                             native program, and play the page in headless Chromium
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
. "$TOP/scripts/common.sh"
ensure_packages $WEB_PACKAGES
# node and npm: Debian's, unless the machine has its own.
command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1 || ensure_packages nodejs npm
# Debian's Emscripten finds its optimizer's parser (acorn) among Debian's node modules.
export NODE_PATH=/usr/share/nodejs
SITE=$TOP/build-web
FONT=${WEB_SOUNDFONT:-/usr/share/sounds/sf2/TimGM6mb.sf2}

# The game files, drawn by the native asset generator (only the generator is built when
# no native build has them).
ASSETS=$TOP/build/assets
if [ ! -f "$ASSETS/.generated" ]; then
  ASSETS=$TOP/build-assetgen/assets
  cmake -S "$TOP" -B "$TOP/build-assetgen" -DTRUNDLEBOP_ONLY_ASSETS=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$TOP/build-assetgen" -j"$(nproc)" --target assets
fi

# The program for the page and the same program for node.
generator=""
if [ ! -f "$TOP/build-emscripten/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then generator="-GNinja"; fi
emcmake cmake -S "$TOP" -B "$TOP/build-emscripten" $generator -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$TOP/build-emscripten" -j"$(nproc)" --target trundlebop trundlebop_page

# The page's npm packages, as package-lock.json pins them.
if [ ! -d "$TOP/web/node_modules/js-synthesizer" ] || [ ! -d "$TOP/web/node_modules/playwright-core" ]; then
  if ! (cd "$TOP/web" && npm ci --no-audit --no-fund --loglevel=error); then
    echo "web.sh: the page's npm packages could not be installed (web/package-lock.json)"
    exit 77
  fi
fi
SYNTH=$TOP/web/node_modules/js-synthesizer

mkdir -p "$SITE"
cp "$TOP/web/index.html" "$TOP/web/page.js" "$TOP/web/music.js" "$TOP/web/sound_worklet.js" "$SITE/"
cp "$TOP/build-emscripten/src/program/trundlebop_page.js" "$TOP/build-emscripten/src/program/trundlebop_page.wasm" "$SITE/"
cp "$SYNTH/externals/libfluidsynth-2.4.6.js" "$SITE/libfluidsynth.js"
cp "$SYNTH/dist/js-synthesizer.min.js" "$SITE/"
cp "$SYNTH/LICENSE" "$SITE/LICENSE.js-synthesizer.txt"
cp "$SYNTH/externals/LICENSE.fluidsynth.txt" "$SITE/LICENSE.fluidsynth.txt"
python3 "$TOP/tools/web/pack_game_files.py" "$ASSETS" "$SITE/game.pack.gz"
python3 "$TOP/tools/web/trim_soundfont.py" "$FONT" "$SITE/soundfont.sf2" "$ASSETS"/*.mid
gzip -9 -f "$SITE/soundfont.sf2"
echo "The site is in $SITE ($(du -sk "$SITE" | cut -f1) KB)"

case "$1" in
  --serve)
    port=${PORT:-8000}
    echo "Serving on http://127.0.0.1:$port/ (Ctrl+C stops)"
    exec python3 -m http.server --bind 127.0.0.1 --directory "$SITE" "$port"
    ;;
  --check)
    "$TOP/tests/web/check.sh" "$ASSETS"
    ;;
esac
