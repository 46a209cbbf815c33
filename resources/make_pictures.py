#!/usr/bin/env python3
"""Draws the message box's pictures and writes them as 24-bit .bmp files.

Magenta (FF00FF) is the transparent colour of every picture: the box draws
them keyed on it. Shapes have hard edges against it, since a blended edge
would leave a pink fringe. Run it again after changing a shape; the files it
writes are kept in the repository, like the icons.

The kind pictures are 30 pixels high: the box draws a fading reflection of
the picture directly below it, 30 pixels further down.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
KEY = (255, 0, 255)
WHITE = (255, 255, 255)
SAMPLES = 4  # per axis, for the blending of marks inside a shape


def write_bmp(path, pixels):
    """pixels: rows top-down of (r, g, b); written bottom-up, rows padded to 4 bytes."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) // 4 * 4
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for r, g, b in pixels[y]:
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + data)


def mix(a, b, t):
    return tuple(round(a[i] * (1 - t) + b[i] * t) for i in range(3))


def render(size, inside, colour_at, mark, ink=WHITE):
    """inside(x, y): the shape covers the pixel centre; colour_at(x, y): its colour;
    mark(x, y): the sign on it in ink, sampled so that its edges are smooth."""
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            cx, cy = x + 0.5, y + 0.5
            if not inside(cx, cy):
                row.append(KEY)
                continue
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    if mark(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                        hits += 1
            row.append(mix(colour_at(cx, cy), ink, hits / (SAMPLES * SAMPLES)))
        pixels.append(row)
    return pixels


def shaded(top, bottom, size):
    """A top-to-bottom gradient, lighter at the top."""
    return lambda x, y: mix(top, bottom, y / size)


def disc(size):
    c, r = size / 2, size / 2 - 1
    return lambda x, y: (x - c) ** 2 + (y - c) ** 2 <= r * r


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_dot(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def warning(size=30):
    """An amber triangle with a dark exclamation mark."""
    top, base = 2.0, size - 3.0

    def inside(x, y):
        if y < top or y > base:
            return False
        half = (y - top) / (base - top) * (size / 2 - 1)
        return abs(x - size / 2) <= half

    c = size / 2
    bar = lambda x, y: 10 <= y < 20.5 and abs(x - c) <= 1.7 - (y - 10) * 0.06
    mark = union(bar, round_dot(c, 23.6, 1.9))
    return render(size, inside, shaded((255, 205, 70), (235, 145, 0), size), mark, ink=(45, 35, 15))


def error(size=30):
    """A red disc with a white cross."""
    c = size / 2

    def cross(x, y):
        u, v = x - c, y - c
        if abs(u) > 7 or abs(v) > 7:
            return False
        return abs(u - v) <= 2.3 or abs(u + v) <= 2.3

    return render(size, disc(size), shaded((235, 70, 60), (175, 20, 20), size), cross)


def question(size=30):
    """A blue disc with a question mark."""
    c = size / 2

    def hook(x, y):
        # The upper arc: a ring around (c, 11) open at its lower left.
        u, v = x - c, y - 11
        d = (u * u + v * v) ** 0.5
        if 3.0 <= d <= 6.2 and not (u < 0 and v > 0):
            return True
        # The stem from the arc's lower end down to the dot.
        return abs(x - c) <= 1.6 and 14.5 <= y < 19.5

    mark = union(hook, round_dot(c, 22.8, 1.9))
    return render(size, disc(size), shaded((90, 150, 235), (25, 80, 180), size), mark)


def information(size=30):
    """A blue disc with a lower-case i."""
    c = size / 2
    mark = union(round_dot(c, 8.8, 2.0), rect(c - 1.7, 12.5, c + 1.7, 22.5), rect(c - 3.5, 20.5, c + 3.5, 22.5),
                 rect(c - 3.5, 12.5, c + 1.7, 14.2))
    return render(size, disc(size), shaded((90, 150, 235), (25, 80, 180), size), mark)


def tick(size=16):
    """A dark tick on the key colour, for the check box."""
    ink = (25, 25, 25)

    def near_segment(px, py, ax, ay, bx, by, width):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        qx, qy = ax + t * dx - px, ay + t * dy - py
        return qx * qx + qy * qy <= width * width

    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            cx, cy = x + 0.5, y + 0.5
            on = near_segment(cx, cy, 3.5, 8.5, 6.5, 11.5, 1.3) or near_segment(cx, cy, 6.5, 11.5, 12.5, 3.5, 1.3)
            row.append(ink if on else KEY)
        pixels.append(row)
    return pixels


def main():
    write_bmp(os.path.join(HERE, "kind_warning.bmp"), warning())
    write_bmp(os.path.join(HERE, "kind_error.bmp"), error())
    write_bmp(os.path.join(HERE, "kind_help.bmp"), question())
    write_bmp(os.path.join(HERE, "kind_info.bmp"), information())
    write_bmp(os.path.join(HERE, "check_tick.bmp"), tick())


if __name__ == "__main__":
    main()
