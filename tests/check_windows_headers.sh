#!/bin/sh
# The game's own code is written against the real platform: every source of src/app, levels,
# gfx, audio, input and common must compile with the Windows cross compiler against that
# compiler's own system headers, reached through the one-line headers of win32/platform,
# with no header of our stand-ins (src/platform) or hosts in reach. Only the stand-in
# implementation of the game's services (common/*_standins.cpp) is left out: it is the part
# written for our stand-ins.
# Exits 77 (skipped) when the cross compiler is not installed.
top=${1:-.}
cxx=${WINDOWS_CXX:-x86_64-w64-mingw32-g++-posix}
if ! command -v "$cxx" >/dev/null 2>&1; then
  echo "skipped: no $cxx (Debian package g++-mingw-w64-x86-64-posix)"
  exit 77
fi
top=$(cd "$top" && pwd) || exit 2

# An include folder holding the game's folders and, as platform/, the one-line headers only.
include=$(mktemp -d) || exit 2
trap 'rm -rf "$include"' EXIT
for part in app levels gfx audio input common; do
  ln -s "$top/src/$part" "$include/$part" || exit 2
done
ln -s "$top/win32/platform" "$include/platform" || exit 2

cd "$include" || exit 2
sources=$(find -L app levels gfx audio input common -name '*.cpp' ! -name '*_standins.cpp' | sort)
if [ -z "$sources" ]; then
  echo "no game sources found under $top/src"
  exit 2
fi

# The system headers are large: they are parsed once, into a precompiled header every source
# is compiled with ahead of its own includes (which still find only win32/platform).
flags="-std=c++17 -I$include"
for header in "$top"/win32/platform/*.h; do
  echo "#include \"platform/$(basename "$header")\""
done > platform_all.h
if ! "$cxx" $flags -x c++-header platform_all.h -o platform_all.h.gch; then
  echo "win32/platform: the system headers do not compile"
  exit 1
fi

# One compiler per core; each source that fails says so after the compiler's errors.
export cxx flags
if echo "$sources" | xargs -P "$(nproc 2>/dev/null || echo 1)" -n 1 sh -c \
  '"$cxx" $flags -Winvalid-pch -include platform_all.h -fsyntax-only "$1" ||
   { echo "$1: does not compile against the real platform"; exit 1; }' sh
then
  echo "$(echo "$sources" | wc -l) game sources compile against the real platform's headers"
else
  exit 1
fi
