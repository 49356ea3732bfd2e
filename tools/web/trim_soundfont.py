#!/usr/bin/env python3
"""Makes the web page's SoundFont: the instruments the game's pieces use, taken from a full
General MIDI SoundFont, so the page fetches a fraction of it.

    trim_soundfont.py FONT.sf2 OUT.sf2 PIECE.mid...

Each piece's instruments are its channels' programs (program 0 where a channel plays before
choosing one; bank 128 on the drum channel), looked up as the synthesizer looks them up: the
preset itself, else its bank's fallback. The presets found keep their instruments and those
their samples; everything is renumbered. Exits 1, saying why, on a file it cannot read."""
import struct
import sys

DRUM_CHANNEL, DRUM_BANK = 9, 128
GEN_INSTRUMENT, GEN_SAMPLE = 41, 53
SAMPLE_GUARD = 46  # sample points kept after each sample, as the format asks
SAMPLE_MARGIN = 8  # sample points kept before each sample


class Bad(Exception):
    pass


def unpack(fmt, data, at):
    size = struct.calcsize(fmt)
    if at < 0 or at + size > len(data):
        raise Bad("cut short")
    return struct.unpack_from(fmt, data, at)


# ---------------------------------------------------------------- the pieces' instruments
def read_varlen(data, at):
    value = 0
    for _ in range(4):
        (byte,) = unpack("B", data, at)
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, at
    raise Bad("a length runs on")


def piece_instruments(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"MThd":
        raise Bad("%s: not a MIDI file" % path)
    (header_size,) = unpack(">I", data, 4)
    at, found = 8 + header_size, set()
    while at + 8 <= len(data):
        kind, size = data[at:at + 4], unpack(">I", data, at + 4)[0]
        end = min(at + 8 + size, len(data))
        if kind == b"MTrk":
            found |= track_instruments(data, at + 8, end)
        at = end
    return found


def track_instruments(data, at, end):
    bank = [0] * 16
    chosen = [False] * 16
    found, status = set(), 0
    while at < end:
        _, at = read_varlen(data, at)
        (byte,) = unpack("B", data, at)
        if byte & 0x80:
            status, at = byte, at + 1
        if status == 0xFF:
            at += 1
            length, at = read_varlen(data, at)
            at += length
            continue
        if status in (0xF0, 0xF7):
            length, at = read_varlen(data, at)
            at += length
            continue
        kind, channel = status & 0xF0, status & 0x0F
        size = 1 if kind in (0xC0, 0xD0) else 2
        values = unpack("%dB" % size, data, at)
        at += size
        drum_bank = DRUM_BANK if channel == DRUM_CHANNEL else None
        if kind == 0xB0 and values[0] == 0:
            bank[channel] = values[1]
        elif kind == 0xC0:
            chosen[channel] = True
            found.add((drum_bank if drum_bank is not None else bank[channel], values[0]))
        elif kind == 0x90 and values[1] > 0 and not chosen[channel]:
            chosen[channel] = True
            found.add((drum_bank if drum_bank is not None else bank[channel], 0))
    return found


# ---------------------------------------------------------------- the SoundFont
def chunks(data, at, end):
    out = {}
    while at + 8 <= end:
        kind, size = data[at:at + 4], unpack("<I", data, at + 4)[0]
        if at + 8 + size > end:
            raise Bad("a chunk runs past its list")
        if kind == b"LIST":
            out[data[at + 8:at + 12]] = (at + 12, at + 8 + size)
        else:
            out[kind] = (at + 8, at + 8 + size)
        at += 8 + size + (size & 1)
    return out


def records(data, span, size):
    start, end = span
    if (end - start) % size or end - start < size:
        raise Bad("a table's size is not a whole number of records")
    return [data[i:i + size] for i in range(start, end, size)]


def trim(font, wanted):
    if font[:4] != b"RIFF" or font[8:12] != b"sfbk":
        raise Bad("not a SoundFont")
    top = chunks(font, 12, min(len(font), 8 + unpack("<I", font, 4)[0]))
    if b"sdta" not in top or b"pdta" not in top or b"INFO" not in top:
        raise Bad("a list is missing")
    sdta, pdta = chunks(font, *top[b"sdta"]), chunks(font, *top[b"pdta"])
    tables = {}
    for name, size in ((b"phdr", 38), (b"pbag", 4), (b"pmod", 10), (b"pgen", 4), (b"inst", 22), (b"ibag", 4),
                       (b"imod", 10), (b"igen", 4), (b"shdr", 46)):
        if name not in pdta:
            raise Bad("the %s table is missing" % name.decode())
        tables[name] = records(font, pdta[name], size)
    if b"smpl" not in sdta:
        raise Bad("no samples")
    samples = font[sdta[b"smpl"][0]:sdta[b"smpl"][1]]

    phdr = tables[b"phdr"]
    presets = {}
    for i, r in enumerate(phdr[:-1]):
        presets[unpack("<HH", r, 20)] = i

    def preset_of(bank, program):
        for key in ((program, bank), (program if bank != DRUM_BANK else 0, bank if bank == DRUM_BANK else 0)):
            if key in presets:
                return presets[key]
        return None

    keep = sorted({p for b, prog in wanted for p in [preset_of(b, prog)] if p is not None})

    def span(table, index, bag_field):
        first = unpack("<H", table[index], bag_field)[0]
        last = unpack("<H", table[index + 1], bag_field)[0]
        if not 0 <= first <= last:
            raise Bad("bags out of order")
        return first, last

    def zone_lists(bags, gens_name, mods_name, first, last):
        zones = []
        for b in range(first, last):
            if b + 1 >= len(bags):
                raise Bad("a bag is past its table")
            g0, m0 = unpack("<HH", bags[b], 0)
            g1, m1 = unpack("<HH", bags[b + 1], 0)
            gens, mods = tables[gens_name][g0:g1], tables[mods_name][m0:m1]
            if len(gens) != g1 - g0 or len(mods) != m1 - m0:
                raise Bad("a zone is past its table")
            zones.append((gens, mods))
        return zones

    instruments, sample_ids = {}, {}
    new = {k: [] for k in tables}

    def copy_level(level, old_indexes, name_size, points_to, target, ids, lacking):
        """Copies the presets or instruments named, with their zones, renumbering the generator
        that names the level below (an instrument or a sample) into `ids`."""
        header_name, bags, gens_name, mods_name = level
        headers = tables[header_name]
        for old in old_indexes:
            first, last = span(headers, old, name_size)
            new[header_name].append(headers[old][:name_size] + struct.pack("<H", len(new[bags])) +
                                    headers[old][name_size + 2:])
            for gens, mods in zone_lists(tables[bags], gens_name, mods_name, first, last):
                new[bags].append(struct.pack("<HH", len(new[gens_name]), len(new[mods_name])))
                new[mods_name] += mods
                for g in gens:
                    oper, amount = unpack("<HH", g, 0)
                    if oper == points_to:
                        if amount + 1 >= len(tables[target]):
                            raise Bad(lacking)
                        amount = ids.setdefault(amount, len(ids))
                    new[gens_name].append(struct.pack("<HH", oper, amount))

    copy_level((b"phdr", b"pbag", b"pgen", b"pmod"), keep, 24, GEN_INSTRUMENT, b"inst", instruments,
               "a preset names no instrument")
    # Instruments in their new order, each with its samples.
    inst = tables[b"inst"]
    copy_level((b"inst", b"ibag", b"igen", b"imod"), sorted(instruments, key=instruments.get), 20, GEN_SAMPLE,
               b"shdr", sample_ids, "an instrument names no sample")
    # Linked samples come along with their partners.
    shdr = tables[b"shdr"]
    for old in list(sorted(sample_ids, key=sample_ids.get)):
        link = unpack("<H", shdr[old], 42)[0]
        if unpack("<H", shdr[old], 44)[0] & 0x0E and link + 1 < len(shdr):
            sample_ids.setdefault(link, len(sample_ids))
    out_samples = bytearray()
    for old in sorted(sample_ids, key=sample_ids.get):
        start, end, loop_start, loop_end = unpack("<IIII", shdr[old], 20)
        if not start <= end <= len(samples) // 2:
            raise Bad("a sample lies outside the sample data")
        # The points around the sample come along as they are: the synthesizer's
        # interpolation reads a few past either end, and in a tightly packed font those are
        # the neighbours' points, not silence.
        before = min(start, SAMPLE_MARGIN)
        after = bytes(samples[2 * end:2 * (end + SAMPLE_GUARD)])
        out_samples += samples[2 * (start - before):2 * start]
        base = len(out_samples) // 2
        out_samples += samples[2 * start:2 * end] + after + bytes(2 * SAMPLE_GUARD - len(after))
        link, kind = unpack("<HH", shdr[old], 42)
        link = sample_ids.get(link, 0)
        new[b"shdr"].append(shdr[old][:20] + struct.pack("<IIII", base, base + end - start, base + loop_start - start,
                                                         base + loop_end - start) + shdr[old][36:42] +
                            struct.pack("<HH", link, kind))
    # Each table ends with its terminal record, pointing past the last real one.
    new[b"phdr"].append(phdr[-1][:24] + struct.pack("<H", len(new[b"pbag"])) + phdr[-1][26:])
    new[b"pbag"].append(struct.pack("<HH", len(new[b"pgen"]), len(new[b"pmod"])))
    new[b"pmod"].append(bytes(10))
    new[b"pgen"].append(bytes(4))
    new[b"inst"].append(inst[-1][:20] + struct.pack("<H", len(new[b"ibag"])))
    new[b"ibag"].append(struct.pack("<HH", len(new[b"igen"]), len(new[b"imod"])))
    new[b"imod"].append(bytes(10))
    new[b"igen"].append(bytes(4))
    new[b"shdr"].append(shdr[-1])

    def chunk(kind, body):
        return kind + struct.pack("<I", len(body)) + body + (b"\0" if len(body) & 1 else b"")

    def listed(kind, body):
        return chunk(b"LIST", kind + body)

    info = font[top[b"INFO"][0]:top[b"INFO"][1]]
    pdta_body = b"".join(chunk(k, b"".join(new[k])) for k in (b"phdr", b"pbag", b"pmod", b"pgen", b"inst", b"ibag",
                                                              b"imod", b"igen", b"shdr"))
    body = b"sfbk" + listed(b"INFO", info) + listed(b"sdta", chunk(b"smpl", bytes(out_samples))) + \
        listed(b"pdta", pdta_body)
    return chunk(b"RIFF", body), len(keep), len(instruments), len(sample_ids)


def main():
    if len(sys.argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    font_path, out_path, pieces = sys.argv[1], sys.argv[2], sys.argv[3:]
    try:
        wanted = set()
        for piece in pieces:
            wanted |= piece_instruments(piece)
        with open(font_path, "rb") as f:
            font = f.read()
        trimmed, presets, instruments, samples = trim(font, wanted)
    except (Bad, OSError, struct.error) as e:
        sys.stderr.write("trim_soundfont: %s\n" % e)
        return 1
    with open(out_path, "wb") as f:
        f.write(trimmed)
    print("%d presets, %d instruments, %d samples: %d of %d bytes" % (presets, instruments, samples, len(trimmed),
                                                                      len(font)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
