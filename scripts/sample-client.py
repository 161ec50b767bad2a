#!/usr/bin/env python3
"""Draws the made-up client folder of the sample (examples/client) from simple shapes.

The view "Ansicht wie im Spiel" and the item views draw the sample house with these files when
"Clientpfad" names the folder (scripts/run.sh sets it). Every picture is a plain shape in plain
colours: a flat diamond for a floor tile, a block for a wall, smaller blocks for furniture.
Nothing here comes from a real client. Writes:
  artLegacyMUL.uop  the item graphics of the sample (stored, not packed)
  tiledata.mul      the newer layout: heights and flags of those graphics
  hues.mul          one group of eight colour ramps
Run it again after changing a shape: python3 scripts/sample-client.py
"""
import os
import struct
import sys

FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples", "client")

BACKGROUND = 0x1
TRANSLUCENT = 0x8
PARTIAL_HUE = 0x40000


def rgb15(red, green, blue):
    """A 15-bit colour from 8-bit channels."""
    return (red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3)


def shade(colour, factor):
    red, green, blue = colour >> 10 & 31, colour >> 5 & 31, colour & 31
    return int(red * factor) << 10 | int(green * factor) << 5 | int(blue * factor)


def block(half, height, colour):
    """An upright block on a square footprint: a diamond 2 half wide on top, then its two sides
    `height` pixels high, the left one darker, the right one darker still."""
    width, rows = 2 * half, 2 * half + height
    pixels = [[0] * width for _ in range(rows)]
    for y in range(rows):
        for x in range(width):
            across = abs(x - half + 0.5)
            room = half - across
            if room < 0:
                continue
            down = y - half + 0.5
            if abs(down) <= room:
                pixels[y][x] = colour
            elif -room <= down <= height + room:
                pixels[y][x] = shade(colour, 0.75 if x < half else 0.55)
    return pixels


def diamond(colour):
    """A flat floor tile: the 44 x 44 diamond of a tile."""
    return block(22, 0, colour)


# The sample's graphics: (number, picture, flags, height).
GRAPHICS = [
    (100, block(22, 60, rgb15(150, 150, 150)), 0, 20),  # stone wall
    (1313, diamond(rgb15(200, 170, 120)), BACKGROUND, 0),  # floor tile
    (1701, block(22, 56, rgb15(130, 80, 40)), 0, 20),  # wooden door
    (2856, block(16, 18, rgb15(160, 110, 60)), 0, 6),  # table
    (2870, block(9, 22, rgb15(110, 70, 40)), 0, 8),  # chair
    (3701, block(7, 10, rgb15(120, 90, 60)), PARTIAL_HUE, 3),  # backpack
    (3703, block(11, 24, rgb15(140, 100, 50)), 0, 8),  # barrel
    (7163, block(3, 24, rgb15(250, 160, 40)), 0, 0),  # torch on the wall
    (7955, block(13, 6, rgb15(100, 100, 110)), TRANSLUCENT, 1),  # spawner
    (2171, block(22, 16, rgb15(120, 120, 120)), 0, 5),  # stairs down
    (1173, diamond(rgb15(200, 40, 40)), BACKGROUND, 0),  # build-zone border
    (5702, block(10, 2, rgb15(230, 220, 180)), 0, 0),  # map
    (4660, block(8, 18, rgb15(60, 120, 170)), 0, 0),  # picture on the wall
    (16515, block(2, 2, rgb15(128, 128, 128)), 0, 0),  # the house's own marker
]


def encode_art(pixels):
    """An item graphic: unused word, width, height, line offsets, runs per row."""
    width, height = len(pixels[0]), len(pixels)
    rows = []
    for line in pixels:
        words, x, written = [], 0, 0
        while x < width:
            if line[x] == 0:
                x += 1
                continue
            end = x
            while end < width and line[end] != 0:
                end += 1
            words += [x - written, end - x] + line[x:end]
            written = x = end
        rows.append(words + [0, 0])
    offsets, at = [], 0
    for words in rows:
        offsets.append(at)
        at += len(words)
    data = struct.pack("<IHH", 0, width, height) + struct.pack("<%dH" % height, *offsets)
    for words in rows:
        data += struct.pack("<%dH" % len(words), *words)
    return data


def rot(value, shift):
    return ((value << shift) | (value >> (32 - shift))) & 0xFFFFFFFF


def hash_little2(name):
    """Bob Jenkins' lookup3 hashlittle2 with both seeds 0: (b << 32) | c."""
    key = name.encode("ascii")
    length = len(key)
    a = b = c = (0xDEADBEEF + length) & 0xFFFFFFFF
    word = lambda at, count: int.from_bytes(key[at:at + min(count, 4)].ljust(4, b"\0"), "little")
    at = 0
    while length > 12:
        a, b, c = (a + word(at, 4)) & 0xFFFFFFFF, (b + word(at + 4, 4)) & 0xFFFFFFFF, (
            c + word(at + 8, 4)) & 0xFFFFFFFF
        for (x, y, z, shift) in ((0, 2, 1, 4), (1, 0, 2, 6), (2, 1, 0, 8), (0, 2, 1, 16),
                                 (1, 0, 2, 19), (2, 1, 0, 4)):
            v = [a, b, c]
            v[x] = (v[x] - v[y]) & 0xFFFFFFFF
            v[x] ^= rot(v[y], shift)
            v[y] = (v[y] + v[z]) & 0xFFFFFFFF
            a, b, c = v
        length -= 12
        at += 12
    if length == 0:
        return b << 32 | c
    a = (a + word(at, length)) & 0xFFFFFFFF
    if length > 4:
        b = (b + word(at + 4, length - 4)) & 0xFFFFFFFF
    if length > 8:
        c = (c + word(at + 8, length - 8)) & 0xFFFFFFFF
    for (x, y, shift) in ((2, 1, 14), (0, 2, 11), (1, 0, 25), (2, 1, 16), (0, 2, 4), (1, 0, 14),
                          (2, 1, 24)):
        v = [a, b, c]
        v[x] ^= v[y]
        v[x] = (v[x] - rot(v[y], shift)) & 0xFFFFFFFF
        a, b, c = v
    return b << 32 | c


def uop(entries):
    """artLegacyMUL.uop: the header, one table block, the entries' data stored as they are."""
    count = len(entries)
    table_at = 0x28
    data_at = table_at + 12 + 34 * count
    head = struct.pack("<IIIQII", 0x0050594D, 5, 0xFD23EC43, table_at, count, count)
    head = head.ljust(table_at, b"\0")
    table = struct.pack("<iq", count, 0)
    data = b""
    for index, payload in entries:
        name = "build/artlegacymul/%08d.tga" % index
        table += struct.pack("<qiiiQIh", data_at + len(data), 0, len(payload), len(payload),
                             hash_little2(name), 0, 0)
        data += payload
    return head + table + data


def tiledata(records):
    """The newer layout: 512 land groups of 30-byte records, then item groups of 41 bytes."""
    land = bytes(512 * (4 + 32 * 30))
    groups = max(number for number, _, _ in records) // 32 + 1
    items = bytearray(groups * (4 + 32 * 41))
    for number, flags, height in records:
        at = number // 32 * (4 + 32 * 41) + 4 + number % 32 * 41
        struct.pack_into("<Q", items, at, flags)
        items[at + 20] = height
    return land + bytes(items)


def hues():
    """One group of eight ramps from dark to light: red, green, blue, gold, grey, ..."""
    ends = [(255, 40, 40), (40, 200, 60), (60, 90, 255), (240, 200, 60), (220, 220, 220),
            (160, 60, 200), (40, 200, 200), (250, 140, 40)]
    data = struct.pack("<I", 0)
    for number, (red, green, blue) in enumerate(ends):
        ramp = [rgb15(red * i // 31, green * i // 31, blue * i // 31) for i in range(32)]
        name = ("Farbe %d" % (number + 1)).encode("ascii").ljust(20, b"\0")
        data += struct.pack("<32HHH", *ramp, ramp[0], ramp[31]) + name
    return data


def main():
    os.makedirs(FOLDER, exist_ok=True)
    files = {
        "artLegacyMUL.uop": uop([(0x4000 + number, encode_art(picture))
                                 for number, picture, _, _ in GRAPHICS]),
        "tiledata.mul": tiledata([(number, flags, height)
                                  for number, _, flags, height in GRAPHICS]),
        "hues.mul": hues(),
    }
    for name, data in files.items():
        with open(os.path.join(FOLDER, name), "wb") as out:
            out.write(data)
        print("%s: %d Bytes" % (os.path.join("examples", "client", name), len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
