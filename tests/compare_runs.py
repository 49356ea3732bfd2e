#!/usr/bin/env python3
"""The two halves of comparing a run of the Windows build with a headless run.

    compare_runs.py script WINDOWS_TRACE
        Prints the headless input script of tests/check_windows_run.sh's route, each key at
        the pass the Windows run's trace shows it took effect: h (help), Escape (menu),
        Enter (play), Right held and let go on the street, Ctrl+2, Ctrl+3, Escape (menu).
        The final Escape that ends the game is left out: the headless run stops at the
        same pass by its pass count. Exits 1 when a key's effect is missing from the trace.

    compare_runs.py traces WINDOWS_TRACE HEADLESS_TRACE
        Compares the two traces pass by pass, every field but the tick (a sound played
        once would end by the real clock under Wine and the virtual one headless; the
        route plays only looped ones). Exits 1 on a difference, naming the first passes and fields. Prints
        the Windows run's pass periods too, as a note."""
import json
import sys

IGNORED = ("tick",)
MENU, PLAY, HELP = -1, 0, 1


def load(path):
    with open(path) as trace:
        return [json.loads(line) for line in trace if line.strip()]


def first(records, start, test):
    for i in range(start, len(records)):
        if test(records, i):
            return i
    return None


def script(records):
    route = [
        ("tap H", lambda r, i: r[i]["screen"] == HELP),
        ("tap Escape", lambda r, i: r[i]["screen"] == MENU),
        ("tap Enter", lambda r, i: r[i]["screen"] == PLAY),
        ("down Right", lambda r, i: r[i]["l1"]["vx"] > 0),
        ("up Right", lambda r, i: 0 <= r[i]["l1"]["vx"] < r[i - 1]["l1"]["vx"]),
        ("ctrl 2", lambda r, i: r[i]["level"] == 2),
        ("ctrl 3", lambda r, i: r[i]["level"] == 3),
        ("tap Escape", lambda r, i: r[i]["screen"] == MENU),
    ]
    lines, at = [], 1
    for key_event, test in route:
        found = first(records, at, test)
        if found is None:
            sys.stderr.write("the Windows run's trace never shows '%s' after pass %d\n" % (key_event, at))
            return 1
        p = records[found]["pass"]
        if key_event.startswith("ctrl "):
            key = key_event.split()[1]
            lines += ["%d down Ctrl" % (p - 1), "%d tap %s" % (p, key), "%d up Ctrl" % (p + 2)]
        else:
            lines.append("%d %s" % (p, key_event))
        at = found + 1
    print("\n".join(lines))
    return 0


def traces(windows, headless):
    differences = []
    for w, h in zip(windows, headless):
        fields = sorted(k for k in set(w) | set(h) if k not in IGNORED and w.get(k) != h.get(k))
        if fields:
            differences.append((w["pass"], fields))
    if len(windows) != len(headless):
        print("traces: %d passes under Wine, %d headless" % (len(windows), len(headless)))
    if differences:
        shown = ", ".join("pass %d: %s" % (p, " ".join(f)) for p, f in differences[:5])
        print("traces: %d passes differ (%s)" % (len(differences), shown))
        return 1
    periods = sorted(b["tick"] - a["tick"] for a, b in zip(windows, windows[1:]))
    if periods:
        print("traces: pass periods under Wine: median %d ms, 99th %d ms, longest %d ms" %
              (periods[len(periods) // 2], periods[len(periods) * 99 // 100], periods[-1]))
    print("traces: %d passes match (all but the tick)" % min(len(windows), len(headless)))
    return 0 if len(windows) == len(headless) else 1


def main(argv):
    if len(argv) == 3 and argv[1] == "script":
        return script(load(argv[2]))
    if len(argv) == 4 and argv[1] == "traces":
        return traces(load(argv[2]), load(argv[3]))
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
