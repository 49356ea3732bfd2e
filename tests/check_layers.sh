#!/bin/sh
# Fails when a source file includes a header from a layer above its own, or an outside
# library where it has no business. The layers, top to bottom:
#   program > app > levels > gfx, audio, input > common > platform (stand-ins) > hosts
# SDL belongs to hosts/sdl alone, libpng to hosts/common (what the hosts share), the
# synthesizer to the music stand-in; one host never includes another.
# One pass of awk over every include line, so that the check costs well under a second.
top=${1:-.}
cd "$top/src" || exit 2

files=$(find . -name '*.cpp' -o -name '*.h' -o -name '*.inc' | sed 's|^\./||' | sort)
[ -n "$files" ] || exit 2
# shellcheck disable=SC2086 # one word a file: the sources' names hold no blanks
found=$({
  echo "$files" | sed 's/^/file /'
  grep -Hn '^[[:space:]]*#[[:space:]]*include' $files | sed 's/^/include /'
} | awk '
  # The layer of a file or header under src/; 0 for none.
  function rank(path) {
    if (path ~ /^program\//) return 7
    if (path ~ /^app\//) return 6
    if (path ~ /^levels\//) return 5
    if (path ~ /^(gfx|audio|input)\//) return 4
    if (path ~ /^common\//) return 3
    if (path ~ /^platform\//) return 2
    if (path ~ /^hosts\//) return 1
    return 0
  }
  $1 == "file" {
    known[$2] = 1
    if (rank($2) == 0) print $2 ": not in any layer"
    next
  }
  {
    # "include FILE:N:TEXT": the file, and the line as grep -n gives it.
    rest = substr($0, 9)
    colon = index(rest, ":")
    file = substr(rest, 1, colon - 1)
    line = substr(rest, colon + 1)
    target = line
    if (!match(target, /#[[:space:]]*include[[:space:]]*["<][^">]*[">]/)) next
    target = substr(target, RSTART, RLENGTH)
    sub(/^#[[:space:]]*include[[:space:]]*["<]/, "", target)
    sub(/[">]$/, "", target)
    if (target ~ /^SDL/) {
      if (file !~ /^hosts\/sdl\//) print file ": " line " (SDL outside hosts/sdl)"
    } else if (target == "png.h") {
      if (file !~ /^hosts\/common\//) print file ": " line " (libpng outside hosts/common)"
    } else if (target ~ /^fluidsynth/) {
      if (file !~ /^platform\/dmusic/) print file ": " line " (the synthesizer outside the music stand-in)"
    } else if (target ~ /\// && (target in known)) {
      if (rank(target) > rank(file)) print file ": " line " (a layer above)"
      if (file ~ /^hosts\/sdl\// && target ~ /^hosts\/headless\//) print file ": " line " (another host)"
      if (file ~ /^hosts\/headless\// && target ~ /^hosts\/sdl\//) print file ": " line " (another host)"
    }
  }')
if [ -n "$found" ]; then
  echo "includes that cross the layers the wrong way:"
  echo "$found"
  exit 1
fi
echo "every include points down the layers"
