#!/usr/bin/env python3
"""Draws the pictures of the alarm manager's grid and writes them under data/GUI/Settings.

    tools/make_alarm_manager_pictures.py [GUI folder]     (default: data/GUI of this repository)

Writes seven 40 x 34 GIFs, one grid cell each, transparent around the motif so the row's own
colours (the selection's too) show through:
  WarlockAlarmOff, WarlockAlarmOn, WarlockAlarmInfinite, WarlockAlarmPassed   the alarm's state;
  WarlockAlarmTypeClock, WarlockAlarmTypeCountdown, WarlockAlarmTypeCountdownClock   its kind.
Drawn with the canvas of make_intro_pictures.py and written by the GIF encoder of
make_gui_pictures.py, so the output is the same on every run.
"""

import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_gui_pictures import KEY, WHITE, INK, GREEN, GOLD, GREY, BLUE, gif_bytes, quantised, write  # noqa: E402
from make_intro_pictures import Canvas  # noqa: E402

WIDTH, HEIGHT = 40, 34
CX, CY = WIDTH / 2, HEIGHT / 2
TEAL = (24, 140, 150)
AMBER = (214, 120, 30)
SAND = (226, 186, 96)


def transparent_gif(canvas):
    """The GIF of the canvas as GIF89a, with the key colour transparent."""
    palette, _ = quantised(canvas)
    if len(palette) > 256 or KEY not in palette:
        raise SystemExit('a grid picture needs at most 256 colours, the key among them')
    data = bytearray(gif_bytes(canvas))
    bits = max(2, math.ceil(math.log2(max(2, len(palette)))))
    descriptor = 13 + 3 * (1 << bits)
    control = b'\x21\xF9\x04\x01\x00\x00' + bytes((palette.index(KEY),)) + b'\x00'
    data[0:6] = b'GIF89a'
    return bytes(data[:descriptor] + control + data[descriptor:])


def keyed_cell(draw):
    """The motif on the key colour with hard edges: a pixel covered at least half way keeps the
    motif's colour (drawn on black and on white to tell its coverage), every other one the key."""
    on_black, on_white = Canvas(WIDTH, HEIGHT, (0, 0, 0)), Canvas(WIDTH, HEIGHT, WHITE)
    draw(on_black)
    draw(on_white)
    c = Canvas(WIDTH, HEIGHT, KEY)
    for i, (b, w) in enumerate(zip(on_black.pixels, on_white.pixels)):
        alpha = 1 - sum(wv - bv for wv, bv in zip(w, b)) / (3 * 255)
        if alpha >= 0.5:
            c.pixels[i] = [min(255, round(bv / alpha)) for bv in b]
    return c


# ---------------------------------------------------------------------------------------------
# State: a lamp with a mark.


def lamp(colour, mark):
    def draw(c):
        c.disc(CX, CY, 13, INK)
        c.disc(CX, CY, 11.5, colour)
        mark(c)
    return draw


def bar(c):
    c.strokes([(CX - 6, CY, CX + 6, CY)], 3.2, WHITE)


def tick(c):
    c.strokes([(CX - 6, CY, CX - 2, CY + 5), (CX - 2, CY + 5, CX + 6.5, CY - 5)], 3.2, WHITE)


def infinity(c):
    points = [(CX + 7 * math.sin(t), CY + 4.5 * math.sin(t) * math.cos(t))
              for t in (2 * math.pi * i / 48 for i in range(49))]
    c.strokes([(x0, y0, x1, y1) for (x0, y0), (x1, y1) in zip(points, points[1:])], 2.6, WHITE)


def past(c):
    # A clock hand turned back: an arrow round to the left.
    points = [(CX + 6 * math.cos(a), CY + 6 * math.sin(a)) for a in (math.radians(-60 - 5 * i) for i in range(47))]
    c.strokes([(x0, y0, x1, y1) for (x0, y0), (x1, y1) in zip(points, points[1:])], 2.6, WHITE)
    head = points[0]
    c.strokes([(head[0], head[1], head[0] + 1, head[1] - 5), (head[0], head[1], head[0] - 4.5, head[1] - 1.5)], 2.6, WHITE)


# ---------------------------------------------------------------------------------------------
# Kind: a clock, an hourglass, or both.


def clock(cx, cy, r):
    def draw(c):
        c.disc(cx, cy, r, INK)
        c.disc(cx, cy, r - 1.8, WHITE)
        for hour in range(12):
            a = math.radians(hour * 30)
            c.strokes([(cx + (r - 4) * math.cos(a), cy + (r - 4) * math.sin(a),
                        cx + (r - 2.8) * math.cos(a), cy + (r - 2.8) * math.sin(a))], 1.2, INK)
        c.strokes([(cx, cy, cx, cy - r * 0.62), (cx, cy, cx + r * 0.45, cy + r * 0.12)], 1.9, INK)
        c.disc(cx, cy, 1.4, (200, 48, 40))
    return draw


def hourglass(cx, cy, h):
    w = h * 0.62

    def draw(c):
        top, bottom = cy - h / 2, cy + h / 2
        c.fill_rect(cx - w / 2 - 1.5, top - 1.5, cx + w / 2 + 1.5, top + 1.5, INK)
        c.fill_rect(cx - w / 2 - 1.5, bottom - 1.5, cx + w / 2 + 1.5, bottom + 1.5, INK)
        glass = [(cx - w / 2, top + 1.5, cx, cy), (cx, cy, cx - w / 2, bottom - 1.5),
                 (cx + w / 2, top + 1.5, cx, cy), (cx, cy, cx + w / 2, bottom - 1.5)]
        for y in range(int(top + 2), int(bottom - 1)):
            half = abs(y + 0.5 - cy) / (h / 2) * (w / 2) - 1
            if half > 0:
                sand = y + 0.5 > cy + h * 0.12 or (y + 0.5 < cy and y + 0.5 > top + h * 0.22)
                c.fill_rect(cx - half, y, cx + half, y + 1, SAND if sand else (236, 244, 250))
        c.strokes([(cx, cy, cx, cy + h * 0.3)], 1.0, SAND)
        c.strokes(glass, 1.8, INK)
    return draw


def both(c):
    clock(CX - 5, CY - 1, 12)(c)
    c.disc(CX + 9, CY + 6, 8, WHITE)
    hourglass(CX + 9, CY + 6, 13)(c)


PICTURES = {
    'WarlockAlarmOff': lamp(GREY, bar),
    'WarlockAlarmOn': lamp(GREEN, tick),
    'WarlockAlarmInfinite': lamp(TEAL, infinity),
    'WarlockAlarmPassed': lamp(AMBER, past),
    'WarlockAlarmTypeClock': clock(CX, CY, 14),
    'WarlockAlarmTypeCountdown': hourglass(CX, CY, 26),
    'WarlockAlarmTypeCountdownClock': both,
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    gui = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, '..', 'data', 'GUI'))
    settings = os.path.join(gui, 'Settings')
    for name, draw in PICTURES.items():
        write(settings, name + '.gif', transparent_gif(keyed_cell(draw)))


if __name__ == '__main__':
    main()
