#!/bin/sh
# A soak of random but legal play, headless: every screen, every level, level jumps with
# Ctrl+digit, menu keys and clicks, walking, jumping and riding, and no quit until the
# passes run out. For each pass count asked for (10000, 100000 and 1000000 unless given)
# it prints the passes per CPU second and the peak resident memory, which must stay flat
# as the run grows.
#   bench/soak.sh [PASSES...]          e.g. bench/soak.sh 10000 100000
# BUILD (default build/) names the build folder, SEED (default 1) the random play.
set -e
TOP=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$TOP/build}
SEED=${SEED:-1}
GAME=$BUILD/trundlebop
[ -x "$GAME" ] || { echo "no $GAME: build first"; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time: apt-get install time"; exit 1; }
[ $# -gt 0 ] || set -- 10000 100000 1000000
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

# Writes a script of random legal play for $1 passes. The game's screen and menu cursor
# are followed event by event (messages are taken in order, so the model stays right
# however long a message waits), and nothing that ends the program is ever pressed:
# no Escape or Q on the menu, no click on Quit, no Enter while the cursor is on Quit.
random_play() {
  awk -v passes="$1" -v seed="$SEED" '
  function pick(n) { return int(rand() * n) }
  function ev(text) { if (pass < passes) print pass " " text }
  function tap(key) { ev("tap " key); pass += 2 }
  BEGIN {
    srand(seed)
    screen = 1; cursor = 0           # screen 1 the menu, 2 play, 3 help, 4 about
    split("Left Right Up Down", arrows, " ")
    pass = 2
    while (pass < passes) {
      r = pick(100)
      if (r < 6) {                   # a level jump, on whatever screen
        ev("down " (pick(2) ? "LeftCtrl" : "RightCtrl")); pass += 1
        level = 1 + pick(3); tap(level)
        ev("up LeftCtrl"); ev("up RightCtrl"); pass += 1
      } else if (screen == 1) {
        if (r < 30) { k = pick(2) ? "Up" : "Down"; tap(k); cursor = (cursor + (k == "Up" ? 3 : 1)) % 4 }
        else if (r < 45) { k = pick(3); tap(k == 0 ? "S" : k == 1 ? "H" : "A"); screen = 2 + k }
        else if (r < 60 && cursor != 3) { tap("Enter"); screen = 2 + (cursor == 0 ? 0 : cursor) }
        else if (r < 80) {
          item = pick(3); y = item == 0 ? 170 + pick(31) : item == 1 ? 201 + pick(55) : 256 + pick(55)
          ev("click " (440 + pick(61)) " " y); pass += 2; cursor = item; screen = 2 + item
        } else { ev("click " pick(640) " " (pick(2) ? pick(170) : 356 + pick(124))); pass += 2 }
      } else if (screen == 2) {
        if (r < 15) { tap("Escape"); screen = 1 }
        else if (r < 70) { k = arrows[1 + pick(4)]; ev("down " k); pass += 1 + pick(40); ev("up " k); pass += 1 }
        else if (r < 90) { tap("Space"); pass += pick(20) }
        else { ev("down X"); pass += 1 + pick(10); tap("Space"); ev("up X"); pass += 1 }
      } else {
        if (r < 50) { tap("Escape"); screen = 1 }
        else { ev("click " pick(640) " " pick(480)); pass += 2 + pick(30) }
      }
    }
  }'
}

echo "passes      CPU s   passes/CPU s   peak RSS (KB)"
for passes in "$@"; do
  random_play "$passes" > "$SCRATCH/play.txt"
  # User and system CPU seconds and the peak resident set, as "U S KB". The capture of the
  # last pass proves the run went the whole way: a run that ended early says so and fails.
  rm -f "$SCRATCH/last.png"
  set -- $(cd "$BUILD/assets" && /usr/bin/time -f "%U %S %M" "$GAME" --headless --frames "$passes" \
           --input "$SCRATCH/play.txt" --time 1000000000 --shot "$passes:$SCRATCH/last.png" 2>&1 >/dev/null |
           tail -1)
  [ -s "$SCRATCH/last.png" ] || { echo "the run of $passes passes ended early"; exit 1; }
  awk -v n="$passes" -v u="$1" -v s="$2" -v kb="$3" \
      'BEGIN { cpu = u + s; printf "%-10d %7.1f %14.0f %15d\n", n, cpu, (cpu > 0 ? n / cpu : 0), kb }'
done
