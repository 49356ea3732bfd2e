#!/bin/sh
# Fails, naming each one, when a tracked .cpp or .h file differs from what clang-format 14
# makes of it with the committed .clang-format. Fix with: clang-format-14 -i FILE...
top=${1:-.}
cd "$top" || exit 2
formatter=clang-format-14
if ! command -v "$formatter" >/dev/null 2>&1; then
  echo "$formatter is missing: sudo apt-get install -y $formatter"
  exit 1
fi
# The files git tracks; outside a git checkout, every such file but those of build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files '*.cpp' '*.h') || exit 2
else
  files=$(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
fi
if [ -z "$files" ]; then
  echo "no tracked .cpp or .h files under $top"
  exit 1
fi
report=$(mktemp) || exit 2
# shellcheck disable=SC2086 # one word a file: tracked names hold no blanks
$formatter --dry-run --Werror $files 2>"$report"
status=$?
differ=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' "$report" | sort -u)
if [ -n "$differ" ]; then
  echo "These files differ from their clang-format layout:"
  echo "$differ" | sed 's/^/  /'
  echo "Fix with: $formatter -i FILE..."
  status=1
elif [ "$status" -ne 0 ]; then
  cat "$report"
fi
rm -f "$report"
[ "$status" -eq 0 ] && echo "$(echo "$files" | wc -l) files formatted"
exit "$status"
