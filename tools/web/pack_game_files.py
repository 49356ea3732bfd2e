#!/usr/bin/env python3
"""Packs the game files for the web page into one gzip-compressed file, which the page
unpacks into the program's file system before the game starts (web/page.js):

    pack_game_files.py ASSET_DIR OUT.pack.gz

The pack is "name size" lines, a blank line, then the files' bytes in the same order."""
import gzip
import os
import sys


def main():
    folder, out = sys.argv[1:3]
    names = sorted(n for n in os.listdir(folder) if os.path.isfile(os.path.join(folder, n)) and not n.startswith("."))
    if not names:
        sys.stderr.write("no game files in %s\n" % folder)
        return 1
    blobs = []
    for name in names:
        if " " in name or "\n" in name:
            sys.stderr.write("%s: a game file's name has a space or line break\n" % name)
            return 1
        with open(os.path.join(folder, name), "rb") as f:
            blobs.append(f.read())
    header = "".join("%s %d\n" % (n, len(b)) for n, b in zip(names, blobs)) + "\n"
    with gzip.open(out, "wb", compresslevel=9) as f:
        f.write(header.encode())
        for b in blobs:
            f.write(b)
    return 0


if __name__ == "__main__":
    sys.exit(main())
