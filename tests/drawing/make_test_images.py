#!/usr/bin/env python3
"""Writes the small pictures the drawing tests load as resources.

test_bitmap.bmp: 5 x 3, 24-bit; pixel (x, y) is red x*16+5, green y*16+7, blue 99.
test_image.png: 4 x 2, RGBA; pixel (x, y) is red x*40, green y*100, blue 200,
alpha 255 except (0, 0) with 0 and (1, 0) with 128.
"""
import os
import struct
import sys
import zlib


def write_bmp(path):
    width, height = 5, 3
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):  # bottom row first
        row = b"".join(bytes((99, y * 16 + 7, x * 16 + 5)) for x in range(width))
        rows += row + b"\0" * (stride - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 14 + 40)
    with open(path, "wb") as out:
        out.write(file_header + header + rows)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def write_png(path):
    width, height = 4, 2
    raw = b""
    for y in range(height):
        raw += b"\0"
        for x in range(width):
            alpha = 255
            if (x, y) == (0, 0):
                alpha = 0
            elif (x, y) == (1, 0):
                alpha = 128
            raw += bytes((x * 40, y * 100, 200, alpha))
    data = b"\x89PNG\r\n\x1a\n"
    data += png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    data += png_chunk(b"IDAT", zlib.compress(raw))
    data += png_chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(data)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    write_bmp(os.path.join(folder, "test_bitmap.bmp"))
    write_png(os.path.join(folder, "test_image.png"))


if __name__ == "__main__":
    main()
