#!/usr/bin/env python3
"""The page's SoundFont, trimmed by tools/web/trim_soundfont.py to the instruments the
game's pieces use, plays the game's music exactly as the full font does: the native
program's sound over a route through the menu and every level is the same, sample for
sample. A cut-short or lying font is refused with a message, not a crash.

    trimmed_soundfont.py NATIVE_PROGRAM ASSET_DIR

Exits 77 when the full font (Debian's timgm6mb-soundfont) is not installed."""
import glob
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TRIM = os.path.join(HERE, "..", "..", "tools", "web", "trim_soundfont.py")
FONT = "/usr/share/sounds/sf2/TimGM6mb.sf2"


def trim(font, out, pieces):
    return subprocess.run([sys.executable, TRIM, font, out] + pieces, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, universal_newlines=True)


def sound(native, assets, font, out):
    subprocess.run([native, "--headless", "--data", assets, "--soundfont", font, "--input",
                    os.path.join(HERE, "route.script"), "--frames", "360", "--audio-out", out], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(out, "rb") as f:
        return f.read()


def main():
    native, assets = sys.argv[1:3]
    if not os.path.exists(FONT):
        print("skipped: no %s (timgm6mb-soundfont)" % FONT)
        return 77
    pieces = sorted(glob.glob(os.path.join(assets, "*.mid")))
    with tempfile.TemporaryDirectory() as folder:
        trimmed = os.path.join(folder, "trimmed.sf2")
        done = trim(FONT, trimmed, pieces)
        if done.returncode != 0:
            print("the trim failed: " + done.stderr)
            return 1
        full_size, trimmed_size = os.path.getsize(FONT), os.path.getsize(trimmed)
        if trimmed_size * 2 > full_size:
            print("the trimmed font is %d of %d bytes: hardly trimmed" % (trimmed_size, full_size))
            return 1
        full = sound(native, assets, FONT, os.path.join(folder, "full.wav"))
        cut = sound(native, assets, trimmed, os.path.join(folder, "trimmed.wav"))
        if len(full) < 44 + 4 * 44100 or full != cut:
            print("the trimmed font sounds different from the full one")
            return 1
        with open(FONT, "rb") as f:
            whole = f.read()
        # Cut short, and a sample-data chunk whose size runs past the file.
        lying = bytearray(whole)
        at = whole.index(b"smpl")
        lying[at + 4:at + 8] = struct.pack("<I", 0x7FFFFFF0)
        for name, data in (("cut", whole[:len(whole) // 3]), ("lying", bytes(lying)), ("empty", b"")):
            path = os.path.join(folder, name + ".sf2")
            with open(path, "wb") as f:
                f.write(data)
            done = trim(path, os.path.join(folder, "out.sf2"), pieces)
            if done.returncode != 1 or "Traceback" in done.stderr or not done.stderr.startswith("trim_soundfont: "):
                print("the %s font was not refused cleanly: %d %s" % (name, done.returncode, done.stderr))
                return 1
    print("the trimmed font (%d of %d bytes) plays the route's music as the full font does" % (trimmed_size,
                                                                                             full_size))
    return 0


if __name__ == "__main__":
    sys.exit(main())
