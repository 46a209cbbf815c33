#!/usr/bin/env python3
"""Draws the program's icon and cursors and writes them as .ico and .cur files.

Run it again after changing a shape; the files it writes are kept in the
repository so that a build needs nothing but the resource compiler.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def dib(pixels, size):
    """A 32-bit icon image: BITMAPINFOHEADER (double height), BGRA rows bottom-up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = pixels[y][x]
            rows.append(struct.pack("<BBBB", b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = []
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(size):
            if pixels[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.append(bytes(bits))
    return header + b"".join(rows) + b"".join(mask)


def write_group(path, images, kind, hotspots=None):
    """kind 1 = icon, 2 = cursor; images is a list of (size, pixels)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for i, (size, pixels) in enumerate(images):
        blob = dib(pixels, size)
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspots[i]
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, planes, bits, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


def canvas(size):
    return [[(0, 0, 0, 0) for _ in range(size)] for _ in range(size)]


def app_icon(size):
    """A note card with a folded corner and three text lines on a blue ground."""
    p = canvas(size)
    s = size / 32.0
    for y in range(size):
        for x in range(size):
            fx, fy = x / s, y / s
            if 3 <= fx < 29 and 2 <= fy < 30:
                fold = fx - 21 > fy - 2 and fy < 10
                if fold:
                    continue
                edge = fx < 4 or fx >= 28 or fy < 3 or fy >= 29
                p[y][x] = (30, 80, 160, 255) if edge else (250, 250, 240, 255)
                for line_y in (12, 17, 22):
                    if line_y <= fy < line_y + 2 and 7 <= fx < (25 if line_y != 22 else 18):
                        p[y][x] = (40, 110, 200, 255)
            if 21 <= fx < 29 and 2 <= fy < 10 and fx - 21 <= fy - 2:
                p[y][x] = (170, 190, 220, 255)
    return p


def hand_cursor():
    """A pointing arrow with a small link ring, hot spot at its tip."""
    size = 32
    p = canvas(size)
    for y in range(20):
        for x in range(y // 2 + 1):
            edge = x == 0 or x == y // 2 or y == 19
            p[y][x] = (0, 0, 0, 255) if edge else (255, 255, 255, 255)
    for y in range(18, 28):
        for x in range(8, 20):
            d = ((x - 14) ** 2 + (y - 23) ** 2) ** 0.5
            if 3.0 <= d < 5.0:
                p[y][x] = (20, 80, 200, 255)
    return p


def split_cursor():
    """Two arrows pointing left and right around a bar, hot spot in the middle."""
    size = 32
    p = canvas(size)
    for y in range(6, 26):
        for x in (15, 16):
            p[y][x] = (0, 0, 0, 255)
    for k in range(5):
        for y in range(16 - k, 17 + k):
            p[y][5 + k] = (0, 0, 0, 255)
            p[y][26 - k] = (0, 0, 0, 255)
    for x in range(5, 27):
        if x not in (15, 16):
            p[16][x] = (0, 0, 0, 255)
    return p


def main():
    write_group(os.path.join(HERE, "tavik.ico"), [(16, app_icon(16)), (32, app_icon(32)), (48, app_icon(48)), (256, app_icon(256))], 1)
    write_group(os.path.join(HERE, "link.cur"), [(32, hand_cursor())], 2, hotspots=[(0, 0)])
    write_group(os.path.join(HERE, "split.cur"), [(32, split_cursor())], 2, hotspots=[(16, 16)])


if __name__ == "__main__":
    main()
