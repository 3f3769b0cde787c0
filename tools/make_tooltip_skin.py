#!/usr/bin/env python3
"""Draws the corner and arrow pieces of the balloon windows (the clock's tooltip and the popup
help) and writes them as 24-bit BMP files.

    tools/make_tooltip_skin.py [output folder]     (default: data/GUI/Tooltip of this repository)

A balloon is a rectangle with round corners; at the corner nearest the cursor a short tail points
at it. Each piece is a mask: the see-through colour 0xFEFEFE outside the balloon, the balloon
inside, with its edge drawn in black. The library paints every piece over its window in the
window's own colours: the inside takes the back colour, and the inside next to the see-through
colour the text colour, so the edge drawn here only shows what the pieces look like.

Two sets, the small one with an "S" after the name:
  C1 C2 C3 C4   round corners, top left, top right, bottom right, bottom left: 7 x 7 (small 4 x 4);
  A1 A2 A3 A4   the same corners with the tail: 40 x 30 (small 20 x 15). The tail leaves the
                balloon 14 pixels to the side and 15 above or below it (small 7 and 7): those
                pixels of the window lie outside the balloon, so its edges stand in by as much.
Pixel art from shapes, with Python's standard library only: the same on every run.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_gui_pictures import bmp_bytes, write  # noqa: E402
from make_intro_pictures import Canvas  # noqa: E402

KEY = (0xFE, 0xFE, 0xFE)
BODY = (255, 255, 255)
EDGE = (0, 0, 0)

# name suffix, corner radius, arrow piece width and height, the tail's reach beside and below.
SETS = (('', 7, 40, 30, 14, 15), ('S', 4, 20, 15, 7, 7))


def corner_inside(radius):
    """The top-left corner: inside when the pixel's centre lies within the radius of the point
    where the straight edges begin."""
    def inside(x, y):
        dx, dy = max(0.0, radius - (x + 0.5)), max(0.0, radius - (y + 0.5))
        return math.hypot(dx, dy) <= radius - 0.25
    return inside


def arrow_inside(width, height, beside, below, radius):
    """The bottom-right corner with its tail: the balloon ends `beside` pixels before the right
    edge and `below` pixels above the bottom; a triangle from its corner reaches the piece's
    corner."""
    right, bottom = width - beside, height - below

    def in_triangle(px, py, a, b, c):
        def side(p, q, r):
            return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
        d1, d2, d3 = side((px, py), a, b), side((px, py), b, c), side((px, py), c, a)
        negative, positive = d1 < 0 or d2 < 0 or d3 < 0, d1 > 0 or d2 > 0 or d3 > 0
        return not (negative and positive)

    # The tail's foot spans the corner: along the bottom edge and up the right edge.
    foot_bottom = (right - max(3, round(beside * 0.75)), bottom - 0.5)
    foot_right = (right - 0.5, bottom - max(2, round(below * 0.55)))
    tip = (width - 0.5, height - 0.5)

    def inside(x, y):
        cx, cy = x + 0.5, y + 0.5
        if x < right and y < bottom:
            return True
        return in_triangle(cx, cy, foot_bottom, foot_right, tip)
    return inside


def turned(inside, width, height, source, corner):
    """A shape drawn for one corner (1 top left, 2 top right, 3 bottom right, 4 bottom left) turned
    to another by mirroring it."""
    flip_x = (source in (2, 3)) != (corner in (2, 3))
    flip_y = (source in (3, 4)) != (corner in (3, 4))

    def shape(x, y):
        return inside(width - 1 - x if flip_x else x, height - 1 - y if flip_y else y)
    return shape


def piece(width, height, inside, corner):
    """The mask with its edge: inside pixels next to an outside one (or to the window's edge, on
    the two sides of the piece that lie on it) are edge pixels."""
    canvas = Canvas(width, height, KEY)
    outward_x = 0 if corner in (1, 4) else width - 1
    outward_y = 0 if corner in (1, 2) else height - 1
    for y in range(height):
        for x in range(width):
            if not inside(x, y):
                continue
            edge = x == outward_x or y == outward_y
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < width and 0 <= ny < height and not inside(nx, ny):
                        edge = True
            canvas.pixels[y * width + x] = list(EDGE if edge else BODY)
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, '..', 'data', 'GUI', 'Tooltip'))
    for suffix, radius, width, height, beside, below in SETS:
        top_left = corner_inside(radius)
        bottom_right = arrow_inside(width, height, beside, below, radius)
        for corner in (1, 2, 3, 4):
            plain = turned(top_left, radius, radius, 1, corner)
            write(folder, 'C%d%s.bmp' % (corner, suffix), bmp_bytes(piece(radius, radius, plain, corner)))
            arrow = turned(bottom_right, width, height, 3, corner)
            write(folder, 'A%d%s.bmp' % (corner, suffix), bmp_bytes(piece(width, height, arrow, corner)))

if __name__ == '__main__':
    main()
