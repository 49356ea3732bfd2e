#!/usr/bin/env python3
"""The web build's program under node plays the same game as the native program.

    same_run.py NATIVE_PROGRAM WEB_PROGRAM_JS ASSET_DIR

Runs tests/web/route.script (menu, Level 1 ridden and jumped, Level 2, Level 3, the menu
again) headless in both and compares the traces line by line and the frame captures at
passes of the menu and of every level pixel by pixel. Exits 0 when they are the same,
1 on a difference (naming the first), 77 when the web program or node is not there."""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from png_pixels import differing_pixels  # noqa: E402

PASSES = 360
SHOTS = (1, 100, 140, 240, 320, 350)  # menu, Level 1 riding, at rest, Level 2, Level 3, menu


def run(command, folder, name):
    args = command + ["--headless", "--data", ASSETS, "--input", ROUTE, "--frames", str(PASSES),
                      "--trace", os.path.join(folder, name + ".trace")]
    for p in SHOTS:
        args += ["--shot", "%d:%s" % (p, os.path.join(folder, "%s%d.png" % (name, p)))]
    done = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
    if done.returncode != 0:
        sys.stderr.write("%s exited %d:\n%s" % (name, done.returncode, done.stderr.decode(errors="replace")))
        sys.exit(1)


def main():
    global ASSETS, ROUTE
    native, web, ASSETS = sys.argv[1:4]
    ROUTE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "route.script")
    node = shutil.which("node")
    if not node or not os.path.exists(web):
        print("skipped: no web build at %s (scripts/web.sh makes it) or no node" % web)
        return 77
    with tempfile.TemporaryDirectory() as folder:
        run([native], folder, "native")
        run([node, "--no-experimental-fetch", web], folder, "web")
        with open(os.path.join(folder, "native.trace")) as f:
            native_lines = f.read().splitlines()
        with open(os.path.join(folder, "web.trace")) as f:
            web_lines = f.read().splitlines()
        if len(native_lines) != PASSES or len(web_lines) != PASSES:
            print("trace lengths: native %d, web %d, wanted %d" % (len(native_lines), len(web_lines), PASSES))
            return 1
        for number, (a, b) in enumerate(zip(native_lines, web_lines), 1):
            if a != b:
                print("the traces differ first at line %d:\nnative %s\nweb    %s" % (number, a, b))
                return 1
        for p in SHOTS:
            differing = differing_pixels(os.path.join(folder, "native%d.png" % p),
                                         os.path.join(folder, "web%d.png" % p))
            if differing != 0:
                print("pass %d: %s" % (p, "sizes differ" if differing is None else "%d pixels differ" % differing))
                return 1
    print("same trace (%d passes) and the same pixels at passes %s" % (PASSES, ", ".join(map(str, SHOTS))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
