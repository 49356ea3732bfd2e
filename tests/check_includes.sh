#!/bin/sh
# Fails when game code reaches past the platform layer: no SDL, no synthesizer, no host
# header in the game's own folders.
top=${1:-.}
found=$(grep -rnE '#include *[<"](SDL|fluidsynth|platform/(sdl|headless)/|platform/host\.h)' \
  "$top/src/app" "$top/src/levels" "$top/src/gfx" "$top/src/audio" "$top/src/input" 2>/dev/null)
if [ -n "$found" ]; then
  echo "game code includes a host or an outside library:"
  echo "$found"
  exit 1
fi
echo "game code includes only the platform's own headers"
