#!/usr/bin/env python3
"""Draws the picture of the side bar in the taskbar menu and writes it as a 24-bit BMP file.

    tools/make_side_bar.py [output folder]     (default: data/GUI/Misc of this repository)

Writes SideBar.bmp, 23 x 297: a blue band darkening towards the bottom, where a small clock face
sits; its top shade is the menu's frame colour, so the band runs on unbroken above the picture.
Drawn from shapes with Python's standard library only, the same on every run.
"""

import math
import os
import struct
import sys

WIDTH, HEIGHT = 23, 297
TOP = (51, 51, 255)
BOTTOM = (16, 16, 96)
FACE = (255, 255, 255)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def draw():
    rows = []
    cx, cy, radius = WIDTH / 2, HEIGHT - 14, 8.0
    for y in range(HEIGHT):
        row = []
        base = mix(TOP, BOTTOM, y / (HEIGHT - 1))
        for x in range(WIDTH):
            px, py = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(px, py)
            ring = max(0.0, 1.0 - abs(d - radius) / 1.0)
            # Hands at ten past ten: towards 2 o'clock (long) and 10 o'clock (short).
            hand = 0.0
            for angle, length in ((math.radians(-30), 6.5), (math.radians(-150), 4.5)):
                hx, hy = math.cos(angle), math.sin(angle)
                along = px * hx + py * hy
                across = abs(px * hy - py * hx)
                if 0 <= along <= length:
                    hand = max(hand, 1.0 - across / 1.0)
            alpha = min(1.0, max(ring, hand))
            row.append(mix(base, FACE, alpha))
        rows.append(row)
    return rows


def bmp(rows):
    stride = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b in row:
            pixels += bytes((b, g, r))
        pixels += bytes(stride - WIDTH * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "GUI", "Misc")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "SideBar.bmp"), "wb") as out:
        out.write(bmp(draw()))


if __name__ == "__main__":
    main()
