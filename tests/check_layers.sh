#!/bin/sh
# Fails when a source file includes a header from a layer above its own, or an outside
# library where it has no business. The layers, top to bottom:
#   program > app > levels > gfx, audio, input > common > platform (stand-ins) > hosts
# SDL belongs to hosts/sdl alone, libpng to hosts/common (what the hosts share), the
# synthesizer to the music stand-in; one host never includes another.
top=${1:-.}
cd "$top/src" || exit 2

rank() {  # rank PATH: the layer of a file or header under src/
  case $1 in
    program/*) echo 7 ;;
    app/*) echo 6 ;;
    levels/*) echo 5 ;;
    gfx/* | audio/* | input/*) echo 4 ;;
    common/*) echo 3 ;;
    platform/*) echo 2 ;;
    hosts/*) echo 1 ;;
    *) echo 0 ;;
  esac
}

status=0
found=$(mktemp) || exit 2
complain() {
  echo "$1"
  status=1
}

for file in $(find . -name '*.cpp' -o -name '*.h' -o -name '*.inc' | sed 's|^\./||' | sort); do
  own=$(rank "$file")
  [ "$own" = 0 ] && complain "$file: not in any layer"
  grep -n '^[[:space:]]*#[[:space:]]*include' "$file" | while IFS= read -r line; do
    target=$(echo "$line" | sed -n 's/.*#[[:space:]]*include[[:space:]]*["<]\([^">]*\)[">].*/\1/p')
    case $target in
      SDL* | SDL2/*)
        case $file in hosts/sdl/*) ;; *) echo "$file: $line (SDL outside hosts/sdl)" ;; esac ;;
      png.h)
        case $file in hosts/common/*) ;; *) echo "$file: $line (libpng outside hosts/common)" ;; esac ;;
      fluidsynth*)
        case $file in platform/dmusic*) ;; *) echo "$file: $line (the synthesizer outside the music stand-in)" ;; esac ;;
      */*)
        [ -f "$target" ] || continue
        theirs=$(rank "$target")
        if [ "$theirs" -gt "$own" ]; then
          echo "$file: $line (a layer above)"
        fi
        case $file in
          hosts/sdl/*) case $target in hosts/headless/*) echo "$file: $line (another host)" ;; esac ;;
          hosts/headless/*) case $target in hosts/sdl/*) echo "$file: $line (another host)" ;; esac ;;
        esac ;;
    esac
  done
done > "$found"
if [ -s "$found" ]; then
  echo "includes that cross the layers the wrong way:"
  cat "$found"
  status=1
fi
rm -f "$found"
[ $status = 0 ] && echo "every include points down the layers"
exit $status
