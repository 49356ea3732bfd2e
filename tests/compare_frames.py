#!/usr/bin/env python3
"""Compares a 16-bit bitmap the Windows build saved of a pass with the PNG the headless
host saved of the same pass, pixel for pixel in 5.6.5 (the PNG's 8-bit channels hold the
5.6.5 values with their top bits repeated, so the top bits give them back exactly).

    compare_frames.py WINDOWS.bmp HEADLESS.png [--ignore X0,Y0,X1,Y1]...

Prints the number of differing pixels and the boxes they fall in (rows of 8 pixels joined
into boxes), ignoring those inside the given rectangles (right and bottom exclusive).
Exits 0 when every pixel outside them matches, 1 when some differ, 2 when a file cannot be
read."""
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from png_pixels import read_png  # noqa: E402


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise ValueError("not a bitmap")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 16 or compression != 3:
        raise ValueError("not a 16-bit bitmap with colour masks")
    rmask, gmask, bmask = struct.unpack_from("<III", data, 54)
    if (rmask, gmask, bmask) != (0xF800, 0x07E0, 0x001F):
        raise ValueError("masks %x %x %x are not 5.6.5" % (rmask, gmask, bmask))
    row_bytes = (width * 2 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y
        start = offset + source * row_bytes
        rows.append(list(struct.unpack_from("<%dH" % width, data, start)))
    return width, abs(height), rows


def read_png_565(path):
    """The PNG's pixels as 5.6.5 values, from the top bits of its 8-bit channels."""
    width, height, rows = read_png(path)
    return width, height, [[((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3) for r, g, b in row] for row in rows]


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    ignored = []
    args = argv[3:]
    while args:
        if args[0] != "--ignore" or len(args) < 2:
            print(__doc__)
            return 2
        ignored.append(tuple(int(v) for v in args[1].split(",")))
        args = args[2:]
    try:
        w1, h1, a = read_bmp(argv[1])
        w2, h2, b = read_png_565(argv[2])
    except (OSError, ValueError, struct.error, zlib.error) as error:
        print("cannot read: %s" % error)
        return 2
    if (w1, h1) != (w2, h2):
        print("sizes differ: %dx%d and %dx%d" % (w1, h1, w2, h2))
        return 1
    boxes, count, skipped = [], 0, 0
    for y in range(h1):
        for x in range(w1):
            if a[y][x] == b[y][x]:
                continue
            if any(x0 <= x < x1 and y0 <= y < y1 for x0, y0, x1, y1 in ignored):
                skipped += 1
                continue
            count += 1
            for box in boxes:
                if box[0] - 8 <= x <= box[2] + 8 and box[1] - 8 <= y <= box[3] + 8:
                    box[0], box[1] = min(box[0], x), min(box[1], y)
                    box[2], box[3] = max(box[2], x), max(box[3], y)
                    break
            else:
                boxes.append([x, y, x, y])
    where = " ".join("(%d,%d)-(%d,%d)" % tuple(box) for box in boxes[:12])
    print("%d pixels differ%s%s" % (count, ": " + where if count else "",
                                    " (%d more inside the text areas)" % skipped if skipped else ""))
    return 1 if count else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
