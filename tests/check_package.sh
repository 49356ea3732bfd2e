#!/bin/sh
# The Debian package passes Debian's own checks: made by cpack from this build tree into a
# scratch folder, its program is stripped, its Depends come from the binary (libc6 and
# libstdc++6 among them), lintian finds no error in it, and each warning lintian gives is
# explained in the README. Skipped (exit 77) without lintian, dpkg-deb or dpkg-shlibdeps.
# Usage: check_package.sh BUILD_DIR SOURCE_DIR
set -u
build=$1
source=$2
for tool in lintian dpkg-deb dpkg-shlibdeps readelf cpack; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: no $tool (Debian packages lintian dpkg-dev binutils cmake)"
    exit 77
  fi
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! (cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.txt" 2>&1); then
  cat "$scratch/cpack.txt"
  exit 1
fi
deb=$(ls "$scratch"/trundlebop_*.deb)
failed=0

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libsdl2-2.0-0 libfluidsynth3 libpng16-16; do
  case ", $depends," in
    *", $library "*) ;;
    *) echo "Depends lacks $library: $depends"; failed=1 ;;
  esac
done

dpkg-deb -x "$deb" "$scratch/root"
if readelf -S "$scratch/root/usr/games/trundlebop" | grep -q -e '\.debug_' -e '\.symtab'; then
  echo "the program in the package is not stripped"
  failed=1
fi

lintian "$deb" >"$scratch/lintian.txt" 2>&1
if grep '^E:' "$scratch/lintian.txt"; then
  echo "lintian finds the errors above"
  failed=1
fi
for tag in $(sed -n 's/^W: [^ ]* \([^ ]*\).*/\1/p' "$scratch/lintian.txt" | sort -u); do
  if ! grep -q -- "$tag" "$source/README.md"; then
    echo "lintian warns $tag, which the README does not explain:"
    grep "^W: .* $tag" "$scratch/lintian.txt"
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "the package: $(basename "$deb"), Depends: $depends; lintian: no error, no unexplained warning"
exit "$failed"
