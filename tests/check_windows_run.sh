#!/bin/sh
# Runs the Windows build under Wine on a virtual display of its own, plays a fixed route
# with the keyboard (the menu, the help page, START, the street at rest and riding, Ctrl+2,
# Ctrl+3, back to the menu, quit), then replays the same keys, at the passes the Windows
# run's trace shows they took effect, in a headless run of the Linux build, and compares:
# every pass's game state (the trace, less the tick; the route plays only looped sounds,
# whose status does not hang on the clock) and the frames of chosen passes, pixel for
# pixel except the text the device context draws (the menu items and the level line),
# whose font is the system's.
#
#   tests/check_windows_run.sh [TOP]
#
# It plays the program in build-windows (built when missing; scripts/windows.sh --check
# builds it afresh first) and the Linux program in build, whose headless run it compares
# with. WINDOWS_CHECK_SECONDS (300) bounds the whole check; WINDOWS_CHECK_KEEP=1 keeps its
# work folder (traces, pictures, logs).
#
# Exits 0 when all matches, 1 on a difference or a failed run, 77 (skipped) when Wine,
# Xvfb, xdotool, python3 or the Windows cross compiler is missing.
top=$(cd "${1:-.}" && pwd) || exit 2
for tool in wine wineserver wineboot Xvfb xdotool python3 x86_64-w64-mingw32-g++-posix; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: no $tool (Debian packages: wine64 xvfb xdotool python3 g++-mingw-w64-x86-64-posix)"
    exit 77
  fi
done
limit=${WINDOWS_CHECK_SECONDS:-300}  # the whole run, Wine's first start included

exe=$top/build-windows/trundlebop.exe
stage=$top/build-windows/stage/trundlebop
if [ ! -f "$exe" ] || [ ! -d "$stage" ]; then
  "$top/scripts/windows.sh" || exit 1
fi
[ -f "$top/build/CMakeCache.txt" ] || cmake -S "$top" -B "$top/build" >/dev/null || exit 1
cmake --build "$top/build" --target trundlebop >/dev/null || exit 1
linux=$top/build/trundlebop

work=$(mktemp -d /tmp/trundlebop-wine.XXXXXX) || exit 2
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
# A sound device that plays into nothing, so that the game's sound and music are set up
# as on a machine with a sound card (with none, Wine's DirectSoundCreate fails).
export HOME="$work/home"
mkdir -p "$HOME" && printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$HOME/.asoundrc"
xvfb_pid=""
game_pid=""
finish() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$watchdog" ] && kill "$watchdog" 2>/dev/null
  [ -n "$WINDOWS_CHECK_KEEP" ] && echo "kept $work" || rm -rf "$work"
}
trap finish EXIT
trap 'exit 1' INT TERM
# A display of its own at 640 x 480 in 16-bit colour, where the game's mode switch succeeds.
Xvfb -displayfd 3 -screen 0 640x480x16 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.2; done
[ -s "$work/display" ] || { echo "windows run: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")"
# The hard limit: past it Wine and the display are ended and the check fails.
watchdog=""
# Ending the watcher (at the end of the check) ends its sleep too.
(
  trap 'kill $! 2>/dev/null; exit 0' TERM
  sleep "$limit" &
  wait $!
  echo "windows run: over $limit seconds, stopped"
  wineserver -k 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  kill -TERM $$
) &
watchdog=$!

wineboot -i >"$work/wineboot.log" 2>&1
wineserver -w

# The route: each key goes when the trace reaches its pass; the pictures are taken at passes
# well after each key, when the screen shows the state the key led to.
cd "$stage" || exit 2
winwork=$(winepath -w "$work")
TRUNDLEBOP_TIME=1000000 TRUNDLEBOP_TRACE="$winwork\\trace.jsonl" TRUNDLEBOP_CAPTURE="$winwork" \
  TRUNDLEBOP_CAPTURE_PASSES=40,110,210,250,330,400,470 wine "$stage/trundlebop.exe" >"$work/wine.log" 2>&1 &
game_pid=$!

pass_now() {
  tail -n 1 "$work/trace.jsonl" 2>/dev/null | sed -n 's/^{"pass":\([0-9]*\).*/\1/p'
}
at_pass() {  # at_pass N: waits until the game has run N passes
  while :; do
    now=$(pass_now)
    [ -n "$now" ] && [ "$now" -ge "$1" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || { echo "windows run: the game ended before pass $1"; exit 1; }
    sleep 0.1
  done
}
at_pass 50 && xdotool key h
at_pass 120 && xdotool key Escape
at_pass 150 && xdotool key Return
at_pass 220 && xdotool keydown Right
at_pass 270 && xdotool keyup Right
at_pass 290 && xdotool key ctrl+2
at_pass 360 && xdotool key ctrl+3
at_pass 430 && xdotool key Escape
at_pass 480 && xdotool key Escape
wait "$game_pid"
status=$?
game_pid=""
wineserver -w
if [ "$status" != 0 ]; then
  echo "windows run: the game ended with status $status"
  cat "$work/wine.log"
  exit 1
fi

# The same keys at the same passes, headless; then the comparison.
python3 "$top/tests/compare_runs.py" script "$work/trace.jsonl" >"$work/keys.txt" || exit 1
shots=""
for pass in 40 110 210 250 330 400 470; do shots="$shots --shot $pass:$work/h$pass.png"; done
frames=$(wc -l <"$work/trace.jsonl")
(cd "$top/build/assets" && "$linux" --headless --frames "$frames" --time 1000000 --input "$work/keys.txt" \
  --trace "$work/headless.jsonl" $shots) || { echo "windows run: the headless replay failed"; exit 1; }

failed=0
python3 "$top/tests/compare_runs.py" traces "$work/trace.jsonl" "$work/headless.jsonl" || failed=1
# The device context's text: the four menu items and the level line.
text="--ignore 0,0,130,32 --ignore 440,165,560,345"
for pass in 40 110 210 250 330 400 470; do
  screen=$(sed -n "${pass}p" "$work/trace.jsonl" | sed 's/.*"screen":\([-0-9]*\).*"level":\([0-9]*\).*/screen \1, level \2/')
  printf 'pass %s (%s): ' "$pass" "$screen"
  python3 "$top/tests/compare_frames.py" "$work/pass-$(printf %05d "$pass").bmp" "$work/h$pass.png" $text || failed=1
done
[ "$failed" = 0 ] && echo "windows run: the game under Wine matches the headless run"
exit $failed
