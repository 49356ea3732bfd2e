#!/usr/bin/env python3
"""Compares a 16-bit bitmap the Windows build saved of a pass with the PNG the headless
host saved of the same pass, pixel for pixel in 5.6.5 (the PNG's 8-bit channels hold the
5.6.5 values with their top bits repeated, so the top bits give them back exactly).

    compare_frames.py WINDOWS.bmp HEADLESS.png [--ignore X0,Y0,X1,Y1]...

Prints the number of differing pixels and the boxes they fall in (rows of 8 pixels joined
into boxes), ignoring those inside the given rectangles (right and bottom exclusive).
Exits 0 when every pixel outside them matches, 1 when some differ, 2 when a file cannot be
read."""
import struct
import sys
import zlib


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


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour != 2 or interlace != 0:
                raise ValueError("not 8-bit RGB without interlace")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 3
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b = previous[i]
            c = previous[i - 3] if i >= 3 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        rows.append([((line[x * 3] >> 3) << 11) | ((line[x * 3 + 1] >> 2) << 5) | (line[x * 3 + 2] >> 3)
                     for x in range(width)])
    return width, height, rows


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
        w2, h2, b = read_png(argv[2])
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
