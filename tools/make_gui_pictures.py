#!/usr/bin/env python3
"""Draws the pictures of the settings windows and writes them under data/GUI.

    tools/make_gui_pictures.py [GUI folder]     (default: data/GUI of this repository)

Writes:
  Tree/*.gif       the 16 x 16 pictures of the settings tree's nodes, on white;
  Settings/*.bmp   the 24 x 24 section pictures, the close and minimise buttons (N normal, O lit)
                   on the key colour 0x8C00EC that the title bars leave transparent, and the
                   620 x 27 title-bar gradients of the three colour schemes;
  Flags/*.gif      the 32 x 20 flags of the language page;
  Misc/OZRClock.bmp   the program's 32 x 32 clock face on the key colour, the icon of its windows;
  Misc/SetCorner.jpg  the 200 x 200 marker shown while the clock's anchor is picked with the mouse:
                   the screen's 3 x 3 grid with an arrow towards each corner and edge.
Everything is drawn from shapes with the canvas of make_intro_pictures.py and written by the small
BMP and GIF encoders below, so the output is the same on every run and needs nothing beyond
Python's standard library.
"""

import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_intro_pictures import Canvas, draw_text, mix, text_width, write_jpeg  # noqa: E402

KEY = (0xEC, 0x00, 0x8C)  # COLORREF 0x8C00EC: blue 0x8C, green 0x00, red 0xEC
WHITE = (255, 255, 255)
INK = (40, 48, 60)
BLUE = (46, 104, 176)
GREEN = (40, 150, 70)
RED = (200, 48, 40)
ORANGE = (232, 140, 36)
GOLD = (236, 190, 60)
GREY = (128, 136, 146)
PURPLE = (120, 70, 160)

# ---------------------------------------------------------------------------------------------
# Encoders.


def bmp_bytes(canvas):
    """A 24-bit bottom-up BMP."""
    row = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        line = bytearray()
        for x in range(canvas.width):
            r, g, b = (int(round(v)) for v in canvas.pixels[y * canvas.width + x])
            line += bytes((b, g, r))
        pixels += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def quantised(canvas):
    """The canvas's pixels as palette indices; exact colours while there are at most 256 of them,
    otherwise a 6 x 6 x 6 colour cube."""
    colours = [tuple(int(round(v)) for v in p) for p in canvas.pixels]
    distinct = sorted(set(colours))
    if len(distinct) <= 256:
        index = {c: i for i, c in enumerate(distinct)}
        return distinct, [index[c] for c in colours]
    palette = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    return palette, [round(c[0] / 51) * 36 + round(c[1] / 51) * 6 + round(c[2] / 51) for c in colours]


def gif_bytes(canvas):
    """A GIF87a image. The LZW stream writes every pixel as its own code and clears the table before
    the code width would grow, which every decoder reads."""
    palette, indices = quantised(canvas)
    bits = max(2, math.ceil(math.log2(max(2, len(palette)))))
    palette = palette + [(0, 0, 0)] * ((1 << bits) - len(palette))
    clear, end = 1 << bits, (1 << bits) + 1
    width = bits + 1
    codes = [clear]
    since_clear = 0
    for i in indices:
        if since_clear == (1 << bits) - 2:
            codes.append(clear)
            since_clear = 0
        codes.append(i)
        since_clear += 1
    codes.append(end)
    stream, acc, nbits = bytearray(), 0, 0
    for c in codes:
        acc |= c << nbits
        nbits += width
        while nbits >= 8:
            stream.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        stream.append(acc & 0xFF)
    blocks = bytearray()
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        blocks += bytes((len(chunk),)) + chunk
    out = bytearray(b'GIF87a')
    out += struct.pack('<HHBBB', canvas.width, canvas.height, 0x80 | (bits - 1), 0, 0)
    for r, g, b in palette:
        out += bytes((r, g, b))
    out += b',' + struct.pack('<HHHHB', 0, 0, canvas.width, canvas.height, 0)
    out += bytes((bits,)) + blocks + b'\x00;'
    return bytes(out)


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name)
    with open(path, 'wb') as f:
        f.write(data)
    print(path)


# ---------------------------------------------------------------------------------------------
# Motifs, drawn in a box of s x s pixels.


def gear(c, s, colour):
    cx = cy = s / 2
    for k in range(8):
        a = k * math.pi / 4
        c.strokes([(cx + math.cos(a) * s * 0.28, cy + math.sin(a) * s * 0.28,
                    cx + math.cos(a) * s * 0.44, cy + math.sin(a) * s * 0.44)], s * 0.13, colour)
    c.disc(cx, cy, s * 0.32, colour)
    c.disc(cx, cy, s * 0.13, WHITE)


def sliders(c, s, colour):
    for i, knob in enumerate((0.3, 0.65, 0.45)):
        y = s * (0.25 + i * 0.25)
        c.strokes([(s * 0.12, y, s * 0.88, y)], s * 0.07, GREY)
        c.disc(s * knob, y, s * 0.1, colour)


def wrench(c, s, colour):
    c.strokes([(s * 0.25, s * 0.78, s * 0.62, s * 0.4)], s * 0.14, colour)
    c.disc(s * 0.66, s * 0.34, s * 0.22, colour)
    c.disc(s * 0.76, s * 0.24, s * 0.09, WHITE)


def palette_motif(c, s, colour):
    c.disc(s / 2, s / 2, s * 0.42, colour)
    for (x, y), dot in zip(((0.33, 0.35), (0.6, 0.28), (0.68, 0.56)), (RED, GREEN, BLUE)):
        c.disc(s * x, s * y, s * 0.09, dot)
    c.disc(s * 0.4, s * 0.66, s * 0.1, WHITE)


def letter_a(c, s, colour):
    c.rounded_rect(s * 0.08, s * 0.08, s * 0.92, s * 0.92, s * 0.12, colour)
    draw_text(c, 'A', s / 2 - text_width('A', s * 0.1) / 2, s * 0.2, s * 0.1, max(1.2, s * 0.09), WHITE)


def bubble(c, s, colour):
    c.rounded_rect(s * 0.06, s * 0.12, s * 0.94, s * 0.7, s * 0.16, colour)
    c.strokes([(s * 0.3, s * 0.6, s * 0.22, s * 0.9)], s * 0.12, colour)
    for x in (0.3, 0.5, 0.7):
        c.disc(s * x, s * 0.41, s * 0.06, WHITE)


def bell(c, s, colour):
    c.disc(s / 2, s * 0.45, s * 0.3, colour)
    c.rounded_rect(s * 0.2, s * 0.45, s * 0.8, s * 0.75, s * 0.04, colour)
    c.strokes([(s * 0.12, s * 0.76, s * 0.88, s * 0.76)], s * 0.1, colour)
    c.disc(s / 2, s * 0.86, s * 0.08, colour)
    c.disc(s / 2, s * 0.14, s * 0.06, colour)


def clock_motif(c, s, colour):
    c.disc(s / 2, s / 2, s * 0.44, colour)
    c.disc(s / 2, s / 2, s * 0.34, WHITE)
    c.strokes([(s / 2, s / 2, s / 2, s * 0.25), (s / 2, s / 2, s * 0.7, s * 0.58)], max(1.0, s * 0.08), INK)


def listing(c, s, colour):
    for i in range(3):
        y = s * (0.25 + i * 0.25)
        c.disc(s * 0.18, y, s * 0.08, colour)
        c.strokes([(s * 0.34, y, s * 0.88, y)], s * 0.09, INK)


def plus_on(motif):
    def draw(c, s, colour):
        motif(c, s, colour)
        c.disc(s * 0.76, s * 0.76, s * 0.22, GREEN)
        c.strokes([(s * 0.76, s * 0.64, s * 0.76, s * 0.88), (s * 0.64, s * 0.76, s * 0.88, s * 0.76)],
                  max(1.0, s * 0.07), WHITE)
    return draw


def folder(c, s, colour):
    c.rounded_rect(s * 0.08, s * 0.2, s * 0.5, s * 0.4, s * 0.06, colour)
    c.rounded_rect(s * 0.08, s * 0.3, s * 0.92, s * 0.82, s * 0.08, colour)


def book(c, s, colour):
    c.rounded_rect(s * 0.18, s * 0.08, s * 0.86, s * 0.92, s * 0.08, colour)
    c.strokes([(s * 0.3, s * 0.1, s * 0.3, s * 0.9)], s * 0.06, WHITE)
    c.strokes([(s * 0.45, s * 0.35, s * 0.74, s * 0.35)], s * 0.06, WHITE)


def globe(c, s, colour):
    c.disc(s / 2, s / 2, s * 0.44, colour)
    w = max(1.0, s * 0.06)
    c.ring(s / 2, s / 2, s * 0.44, w, WHITE)
    c.strokes([(s * 0.06, s / 2, s * 0.94, s / 2), (s / 2, s * 0.06, s / 2, s * 0.94)], w, WHITE)
    pts = [(s / 2 + s * 0.2 * math.cos(a / 12 * math.pi * 2), s / 2 + s * 0.44 * math.sin(a / 12 * math.pi * 2))
           for a in range(13)]
    c.strokes([(a[0], a[1], b[0], b[1]) for a, b in zip(pts, pts[1:])], w, WHITE)


def atom(c, s, colour):
    w = max(1.0, s * 0.06)
    for tilt in (0, 60, 120):
        t = math.radians(tilt)
        pts = []
        for k in range(25):
            a = k / 24 * math.pi * 2
            x, y = s * 0.44 * math.cos(a), s * 0.16 * math.sin(a)
            pts.append((s / 2 + x * math.cos(t) - y * math.sin(t), s / 2 + x * math.sin(t) + y * math.cos(t)))
        c.strokes([(a[0], a[1], b[0], b[1]) for a, b in zip(pts, pts[1:])], w, colour)
    c.disc(s / 2, s / 2, s * 0.1, RED)


def cloud(c, s, colour):
    for x, y, r in ((0.35, 0.55, 0.2), (0.55, 0.42, 0.25), (0.72, 0.58, 0.18)):
        c.disc(s * x, s * y, s * r, colour)
    c.rounded_rect(s * 0.15, s * 0.55, s * 0.88, s * 0.76, s * 0.1, colour)


def puzzle(c, s, colour):
    c.rounded_rect(s * 0.12, s * 0.25, s * 0.75, s * 0.88, s * 0.06, colour)
    c.disc(s * 0.44, s * 0.22, s * 0.13, colour)
    c.disc(s * 0.78, s * 0.56, s * 0.13, colour)


def info(c, s, colour):
    c.disc(s / 2, s / 2, s * 0.44, colour)
    c.disc(s / 2, s * 0.28, s * 0.07, WHITE)
    c.strokes([(s / 2, s * 0.44, s / 2, s * 0.74)], max(1.2, s * 0.12), WHITE)


def unknown(c, s, colour):
    c.rounded_rect(s * 0.1, s * 0.1, s * 0.9, s * 0.9, s * 0.1, colour)
    c.strokes([(s * 0.3, s * 0.3, s * 0.7, s * 0.7), (s * 0.7, s * 0.3, s * 0.3, s * 0.7)], max(1.0, s * 0.09), WHITE)


# The pictures by name: the tree's and the section pictures share their motifs.
MOTIFS = {
    'MainSettings': (gear, BLUE),
    'MainSettingsGO': (sliders, BLUE),
    'MainSettingsAV': (wrench, INK),
    'MainSettingsAS': (palette_motif, ORANGE),
    'MainSettingsDC': (letter_a, PURPLE),
    'MainSettingsLA': (bubble, GREEN),
    'MainAlarm': (bell, GOLD),
    'MainAlarmAM': (listing, RED),
    'MainAlarmAE': (plus_on(clock_motif), RED),
    'MainAlarmAL': (listing, GOLD),
    'MainAlarmOF': (folder, GOLD),
    'MainAddress': (book, BLUE),
    'MainInternet': (globe, BLUE),
    'MainAtomic': (atom, BLUE),
    'MainAnywhere': (cloud, BLUE),
    'MainPlugins': (puzzle, GREEN),
    'MainAbout': (info, BLUE),
    'NA': (unknown, GREY),
}


def icon(name, size, background, inset=0):
    c = Canvas(size, size, background)
    motif, colour = MOTIFS[name]
    sub = Canvas(size - 2 * inset, size - 2 * inset, background)
    motif(sub, sub.width, colour)
    for y in range(sub.height):
        for x in range(sub.width):
            c.pixels[(y + inset) * size + x + inset] = sub.pixels[y * sub.width + x]
    return c


def keyed_icon(name, size):
    return keyed(lambda c: icon(name, size, c.pixels[0], inset=1), size)


def keyed(draw, size):
    """The picture on the key colour with hard edges: drawn on black and on white, a pixel covered
    at least half way keeps the picture's own colour, any other pixel becomes the key colour, so no
    edge is tinted by the key."""
    on_black, on_white = draw(Canvas(size, size, (0, 0, 0))), draw(Canvas(size, size, WHITE))
    c = Canvas(size, size, KEY)
    for i, (b, w) in enumerate(zip(on_black.pixels, on_white.pixels)):
        alpha = 1 - sum(wv - bv for wv, bv in zip(w, b)) / (3 * 255)
        if alpha >= 0.5:
            c.pixels[i] = [min(255, bv / alpha) for bv in b]
    return c


def keyed_button(lit, draw_mark):
    def draw(c):
        c.rounded_rect(2, 2, 22, 22, 4, RED if lit else (96, 104, 116))
        draw_mark(c)
        return c
    return keyed(draw, 24)


def gradient(left, right):
    c = Canvas(620, 27)
    for y in range(27):
        shade = 1.0 - 0.25 * abs(y - 8) / 19
        for x in range(620):
            c.pixels[y * 620 + x] = [v * shade for v in mix(left, right, x / 619)]
    return c


def flag_stripes(colours, vertical):
    c = Canvas(32, 20)
    n = len(colours)
    for y in range(20):
        for x in range(32):
            band = (x * n) // 32 if vertical else (y * n) // 20
            c.pixels[y * 32 + x] = list(colours[band])
    return c


def flag_uk():
    navy, red = (1, 33, 105), (200, 16, 46)
    c = Canvas(32, 20, navy)
    diagonals = [(0, 0, 32, 20), (0, 20, 32, 0)]
    c.strokes(diagonals, 4.5, WHITE)
    c.strokes(diagonals, 1.6, red)
    c.fill_rect(0, 7, 32, 13, WHITE)
    c.fill_rect(13, 0, 19, 20, WHITE)
    c.fill_rect(0, 8, 32, 12, red)
    c.fill_rect(14, 0, 18, 20, red)
    return c


def flag_usa():
    red, blue = (178, 34, 52), (60, 59, 110)
    c = Canvas(32, 20, WHITE)
    for i in range(7):
        c.fill_rect(0, i * 20 / 6.5, 32, i * 20 / 6.5 + 20 / 13, red)
    c.fill_rect(0, 0, 14, 11, blue)
    for row in range(4):
        for col in range(4):
            c.disc(2 + col * 3.3 + (row % 2) * 1.2, 1.8 + row * 2.5, 0.7, WHITE)
    return c


def anchor_marker():
    size = 200
    c = Canvas(size, size)
    c.vertical_gradient((18, 40, 70), (46, 104, 176))
    third = size / 3
    for i in (1, 2):
        c.strokes([(third * i, 8, third * i, size - 8), (8, third * i, size - 8, third * i)], 1.5, (150, 180, 220))
    centre = size / 2
    # An arrow from the middle cell towards each of the eight cells around it.
    for dx, dy in ((-1, -1), (0, -1), (1, -1), (1, 0), (1, 1), (0, 1), (-1, 1), (-1, 0)):
        length = math.hypot(dx, dy)
        ux, uy = dx / length, dy / length
        tip = (centre + ux * 80, centre + uy * 80)
        tail = (centre + ux * 42, centre + uy * 42)
        side = (-uy, ux)
        head = [(tip[0] - ux * 14 + side[0] * 9, tip[1] - uy * 14 + side[1] * 9),
                (tip[0] - ux * 14 - side[0] * 9, tip[1] - uy * 14 - side[1] * 9)]
        segments = [(tail[0], tail[1], tip[0], tip[1])] + [(tip[0], tip[1], x, y) for x, y in head]
        c.strokes(segments, 4, GOLD)
    c.ring(centre, centre, 22, 4, WHITE)
    c.disc(centre, centre, 8, WHITE)
    return c


def program_icon(c):
    clock_motif(c, c.width, BLUE)
    return c


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    gui = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, '..', 'data', 'GUI'))
    tree, settings, flags, misc = (os.path.join(gui, d) for d in ('Tree', 'Settings', 'Flags', 'Misc'))
    for name in MOTIFS:
        write(tree, name + '.gif', gif_bytes(icon(name, 16, WHITE)))
        write(settings, name + '.bmp', bmp_bytes(keyed_icon(name, 24)))

    def cross(c):
        c.strokes([(8, 8, 16, 16), (16, 8, 8, 16)], 2.2, WHITE)

    def bar(c):
        c.strokes([(7, 16, 17, 16)], 2.4, WHITE)

    for lit, suffix in ((False, 'N'), (True, 'O')):
        write(settings, 'CloseWindow%s.bmp' % suffix, bmp_bytes(keyed_button(lit, cross)))
        write(settings, 'MinimizeWindow%s.bmp' % suffix, bmp_bytes(keyed_button(lit, bar)))
    write(settings, 'GradientBlack.bmp', bmp_bytes(gradient((0, 0, 0), (0, 72, 24))))
    write(settings, 'GradientBlue.bmp', bmp_bytes(gradient((25, 60, 76), (86, 140, 178))))
    write(settings, 'GradientGray.bmp', bmp_bytes(gradient((64, 72, 82), (200, 208, 212))))
    write(flags, '000UK.gif', gif_bytes(flag_uk()))
    write(flags, '001USA.gif', gif_bytes(flag_usa()))
    write(flags, '002RO.gif', gif_bytes(flag_stripes([(0, 43, 127), (252, 209, 22), (206, 17, 38)], True)))
    write(flags, '003NL.gif', gif_bytes(flag_stripes([(174, 28, 40), WHITE, (33, 70, 139)], False)))
    os.makedirs(misc, exist_ok=True)
    write(misc, 'OZRClock.bmp', bmp_bytes(keyed(program_icon, 32)))
    write_jpeg(misc, 'SetCorner.jpg', anchor_marker())


if __name__ == '__main__':
    main()
