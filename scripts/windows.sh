#!/bin/sh
# Builds the game for Windows: the game's own code (src/app, levels, gfx, audio, input,
# common) compiled unchanged by the Windows cross compiler against its own system headers,
# through the one-line headers of win32/platform, and linked with the system's import
# libraries and the C and C++ runtimes, so trundlebop.exe needs nothing but Windows. None of
# our stand-ins or hosts is in it; the game's services beyond the platform come from
# win32/game_services_win32.cpp; the icon and cursor come from tools/icons. Writes build-windows/trundlebop-windows.zip: the program,
# the game files (from build/assets, built when missing) and a read-me.
#
#   scripts/windows.sh           build the zip
#   scripts/windows.sh --check   build it, then play it under Wine and compare with a headless
#                                run (tests/check_windows_run.sh)
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
. "$TOP/scripts/common.sh"
ensure_packages $WINDOWS_PACKAGES

CXX=${WINDOWS_CXX:-x86_64-w64-mingw32-g++-posix}
OUT=$TOP/build-windows
mkdir -p "$OUT/obj"

# The game files are drawn by the native asset generator.
if [ -z "$(ls -A "$TOP/build/assets" 2>/dev/null)" ]; then
  echo "Drawing the game files (build/assets)..."
  ensure_packages $PLAY_PACKAGES
  cmake -S "$TOP" -B "$TOP/build" >/dev/null
  cmake --build "$TOP/build" -j"$(nproc)" --target assets
fi

# An include folder holding the game's folders and, as platform/, the one-line headers only,
# so no header of the stand-ins or hosts is in reach.
include=$OUT/include
rm -rf "$include"
mkdir -p "$include"
for part in app levels gfx audio input common; do
  ln -s "$TOP/src/$part" "$include/$part"
done
ln -s "$TOP/win32/platform" "$include/platform"

# The system headers are parsed once, into a precompiled header every source starts with.
flags="-std=c++17 -O2 -Wall -Wextra -I$include"
for header in "$TOP"/win32/platform/*.h; do
  echo "#include \"platform/$(basename "$header")\""
done > "$OUT/platform_all.h"
"$CXX" $flags -x c++-header "$OUT/platform_all.h" -o "$OUT/platform_all.h.gch"

sources=$(cd "$include" && find -L app levels gfx audio input common -name '*.cpp' ! -name '*_standins.cpp' | sort)
sources="$(echo "$sources" | sed "s|^|$include/|") $TOP/win32/game_services_win32.cpp"
rm -f "$OUT"/obj/*.o
export CXX flags OUT
echo $sources | tr ' ' '\n' | xargs -P "$(nproc)" -n 1 sh -c \
  'obj="$OUT/obj/$(echo "$1" | sed "s|.*/\([^/]*\)/\([^/]*\)\.cpp$|\1_\2|").o"
   "$CXX" $flags -Winvalid-pch -include "$OUT/platform_all.h" -c "$1" -o "$obj"' sh

# The icon and the pointing-hand cursor, the pictures the window shows on Linux, as the
# resources the game loads by number.
cmake --build "$TOP/build" --target make_windows_resources >/dev/null
mkdir -p "$OUT/resources"
"$TOP/build/tools/icons/make_windows_resources" "$OUT/resources"
(cd "$OUT/resources" && "${WINDRES:-x86_64-w64-mingw32-windres}" trundlebop.rc -O coff -o "$OUT/obj/resources.o")

"$CXX" -static -mwindows -s -o "$OUT/trundlebop.exe" "$OUT"/obj/*.o \
  -lddraw -ldsound -ldinput8 -ldxguid -lwinmm -lole32 -luuid -lgdi32 -luser32
echo "Built $OUT/trundlebop.exe"

# The zip: the program and the game files side by side, and a read-me.
stage=$OUT/stage/trundlebop
rm -rf "$OUT/stage" "$OUT/trundlebop-windows.zip"
mkdir -p "$stage"
cp "$OUT/trundlebop.exe" "$stage/"
cp -r "$TOP/build/assets/." "$stage/"
cat > "$stage/README.txt" <<'EOF'
Trundlebop for Windows

Unzip anywhere and start trundlebop.exe; the game files sit beside it and the game runs
from that folder. It uses Windows' own services only (DirectDraw, DirectInput,
DirectSound, DirectMusic, GDI); it switches the screen to 640 x 480 in 16-bit colour.

Keys: on the menu, Up/Down and Enter. On the street, the arrow keys steer the board and
Space jumps; in the girder world, Left/Right walk, Up climbs, Space jumps; in the two rooms,
the arrow keys walk. Escape goes back to the menu, and on the menu ends the game;
Ctrl+1, Ctrl+2, Ctrl+3 choose the level.

For comparing runs: TRUNDLEBOP_TIME=S fixes the calendar seconds the game seeds its
random numbers from; TRUNDLEBOP_TRACE=FILE writes one JSON line per pass;
TRUNDLEBOP_CAPTURE=DIR with TRUNDLEBOP_CAPTURE_PASSES=P,Q,... saves the frame of those
passes as DIR\pass-P.bmp.
EOF
(cd "$OUT/stage" && zip -qr "$OUT/trundlebop-windows.zip" trundlebop)
echo "Wrote $OUT/trundlebop-windows.zip"

if [ "$1" = "--check" ]; then
  offer_packages $WINE_PACKAGES
  exec "$TOP/tests/check_windows_run.sh" "$TOP"
fi
