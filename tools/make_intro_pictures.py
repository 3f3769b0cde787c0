#!/usr/bin/env python3
"""Draws the pictures of the first-run window and the splash and writes them as JPEG files.

    tools/make_intro_pictures.py [output folder]     (default: data/GUI/Misc of this repository)

Writes Splash.jpg (the splash, 510 x 300, the size of the intro window) and the four pictures of
the first-run choice, 180 x 110 each: OZRClockSystray.jpg and OZRClockFloating.jpg show a chosen
clock type, OZRClockSystrayM.jpg and OZRClockFloatingM.jpg the same pictures muted, for the type
not chosen. Everything is drawn here from shapes (a clock face, a taskbar, the program's name in a
stroke font of our own) and encoded by the small baseline JPEG encoder below, so the output is the
same on every run and needs nothing beyond Python's standard library.
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------------------------
# Canvas: RGB pixels with anti-aliased shapes drawn from distances.


class Canvas:
    def __init__(self, width, height, color=(0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(color) for _ in range(width * height)]

    def blend(self, x, y, color, alpha):
        if alpha <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        alpha = min(alpha, 1.0)
        p = self.pixels[y * self.width + x]
        for i in range(3):
            p[i] += (color[i] - p[i]) * alpha

    def vertical_gradient(self, top, bottom, y0=0, y1=None):
        y1 = self.height if y1 is None else y1
        for y in range(y0, y1):
            t = (y - y0) / max(1, y1 - y0 - 1)
            color = mix(top, bottom, t)
            for x in range(self.width):
                self.pixels[y * self.width + x] = list(color)

    def fill_rect(self, x0, y0, x1, y1, color, alpha=1.0):
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                self.blend(x, y, color, alpha)

    def rounded_rect(self, x0, y0, x1, y1, radius, color, alpha=1.0, soft=1.0):
        """A filled rectangle with round corners; soft widens the anti-aliased edge (shadows)."""
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius
        for y in range(max(0, int(y0 - soft)), min(self.height, int(y1 + soft) + 1)):
            for x in range(max(0, int(x0 - soft)), min(self.width, int(x1 + soft) + 1)):
                dx = max(abs(x + 0.5 - cx) - hx, 0.0)
                dy = max(abs(y + 0.5 - cy) - hy, 0.0)
                d = math.hypot(dx, dy) - radius
                self.blend(x, y, color, alpha * clamp(0.5 - d / soft))

    def disc(self, cx, cy, r, color, alpha=1.0, soft=1.0, shade=None):
        """A filled circle; shade(t) may give the colour by the distance from the centre (0 to 1)."""
        for y in range(max(0, int(cy - r - soft)), min(self.height, int(cy + r + soft) + 1)):
            for x in range(max(0, int(cx - r - soft)), min(self.width, int(cx + r + soft) + 1)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                coverage = clamp((r - d) / soft + 0.5)
                if coverage > 0:
                    self.blend(x, y, shade(d / r) if shade else color, alpha * coverage)

    def ring(self, cx, cy, r, width, color):
        for y in range(max(0, int(cy - r - width)), min(self.height, int(cy + r + width) + 1)):
            for x in range(max(0, int(cx - r - width)), min(self.width, int(cx + r + width) + 1)):
                d = abs(math.hypot(x + 0.5 - cx, y + 0.5 - cy) - r)
                self.blend(x, y, color, clamp(width / 2 - d + 0.5))

    def strokes(self, segments, width, color, alpha=1.0):
        """Line segments with round ends, drawn as one shape (joints are not drawn twice)."""
        if not segments:
            return
        pad = width / 2 + 1
        xs = [p for s in segments for p in (s[0], s[2])]
        ys = [p for s in segments for p in (s[1], s[3])]
        for y in range(max(0, int(min(ys) - pad)), min(self.height, int(max(ys) + pad) + 1)):
            py = y + 0.5
            near = [s for s in segments if min(s[1], s[3]) - pad <= py <= max(s[1], s[3]) + pad]
            if not near:
                continue
            for x in range(max(0, int(min(xs) - pad)), min(self.width, int(max(xs) + pad) + 1)):
                px = x + 0.5
                d = min(segment_distance(px, py, s) for s in near)
                self.blend(x, y, color, alpha * clamp(width / 2 - d + 0.5))

    def rgb_bytes(self):
        return bytes(int(round(clamp(c / 255.0) * 255)) for p in self.pixels for c in p)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def segment_distance(px, py, s):
    x0, y0, x1, y1 = s
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else clamp(((px - x0) * dx + (py - y0) * dy) / length2)
    return math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))


# ---------------------------------------------------------------------------------------------
# A stroke font: each glyph is a list of polylines on a grid 4 units wide (M 5) and 6 high, y down.


def arc(cx, cy, rx, ry, a0, a1, steps=14):
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]


def rotated(lines):
    return [[(4 - x, 6 - y) for x, y in line] for line in lines]


SIX = [arc(2, 3, 2, 3, -60, -180, 8) + arc(2, 4.3, 2, 1.7, 180, 540, 20)]
GLYPHS = {
    'A': (4, [[(0, 6), (2, 0), (4, 6)], [(0.7, 4), (3.3, 4)]]),
    'C': (4, [arc(2, 3, 2, 3, -40, -320, 20)]),
    'D': (4, [[(0, 0), (0, 6)], [(0, 0), (1.6, 0)] + arc(1.6, 3, 2.4, 3, -90, 90, 16) + [(0, 6)]]),
    'E': (4, [[(4, 0), (0, 0), (0, 6), (4, 6)], [(0, 3), (3, 3)]]),
    'F': (4, [[(4, 0), (0, 0), (0, 6)], [(0, 3), (3, 3)]]),
    'G': (4, [arc(2, 3, 2, 3, -40, -360, 22) + [(2.2, 3)]]),
    'I': (2, [[(1, 0), (1, 6)], [(0, 0), (2, 0)], [(0, 6), (2, 6)]]),
    'K': (4, [[(0, 0), (0, 6)], [(4, 0), (0, 3.6)], [(1.3, 2.5), (4, 6)]]),
    'L': (4, [[(0, 0), (0, 6), (4, 6)]]),
    'M': (5, [[(0, 6), (0, 0), (2.5, 4), (5, 0), (5, 6)]]),
    'N': (4, [[(0, 6), (0, 0), (4, 6), (4, 0)]]),
    'O': (4, [arc(2, 3, 2, 3, 0, 360, 24)]),
    'P': (4, [[(0, 6), (0, 0), (2.4, 0)] + arc(2.4, 1.6, 1.6, 1.6, -90, 90, 10) + [(0, 3.2)]]),
    'R': (4, [[(0, 6), (0, 0), (2.4, 0)] + arc(2.4, 1.6, 1.6, 1.6, -90, 90, 10) + [(0, 3.2)], [(2, 3.2), (4, 6)]]),
    'S': (4, [arc(2, 1.5, 2, 1.5, -20, -270, 12) + arc(2, 4.5, 2, 1.5, -90, 160, 12)]),
    'T': (4, [[(0, 0), (4, 0)], [(2, 0), (2, 6)]]),
    'U': (4, [[(0, 0), (0, 4)] + arc(2, 4, 2, 2, 180, 0, 12) + [(4, 0)]]),
    'V': (4, [[(0, 0), (2, 6), (4, 0)]]),
    'Y': (4, [[(0, 0), (2, 3), (4, 0)], [(2, 3), (2, 6)]]),
    'Z': (4, [[(0, 0), (4, 0), (0, 6), (4, 6)]]),
    '0': (4, [arc(2, 3, 2, 3, 0, 360, 24)]),
    '1': (4, [[(1, 1), (2.2, 0), (2.2, 6)], [(1, 6), (3.4, 6)]]),
    '2': (4, [arc(2, 1.8, 2, 1.8, -170, 20, 12) + [(0, 6), (4, 6)]]),
    '3': (4, [arc(2, 1.5, 2, 1.5, -160, 90, 12) + arc(2, 4.5, 2, 1.5, -90, 160, 12)]),
    '4': (4, [[(3, 6), (3, 0), (0, 4.2), (4, 4.2)]]),
    '5': (4, [[(4, 0), (0.4, 0), (0.2, 2.7)] + arc(2, 4.1, 2, 1.9, -125, 150, 14)]),
    '6': (4, SIX),
    '7': (4, [[(0, 0), (4, 0), (1.5, 6)]]),
    '8': (4, [arc(2, 1.5, 1.7, 1.5, 0, 360, 18), arc(2, 4.4, 2, 1.6, 0, 360, 20)]),
    '9': (4, rotated(SIX)),
    ':': (1, [[(0.5, 1.5), (0.5, 2.1)], [(0.5, 4.3), (0.5, 4.9)]]),
    '-': (3, [[(0, 3.2), (3, 3.2)]]),
    ' ': (2.5, []),
}
LETTER_GAP = 1.5


def text_width(text, scale):
    return (sum(GLYPHS[c][0] for c in text) + LETTER_GAP * (len(text) - 1)) * scale


def draw_text(canvas, text, x, y, scale, width, color, alpha=1.0):
    """Draws text with its top-left corner at (x, y); a glyph unit is scale pixels."""
    for c in text:
        advance, lines = GLYPHS[c]
        segments = []
        for line in lines:
            points = [(x + px * scale, y + py * scale) for px, py in line]
            if len(points) == 1:
                points.append(points[0])
            segments += [(a[0], a[1], b[0], b[1]) for a, b in zip(points, points[1:])]
        canvas.strokes(segments, width, color, alpha)
        x += (advance + LETTER_GAP) * scale


def draw_text_centred(canvas, text, cx, y, scale, width, color, alpha=1.0):
    draw_text(canvas, text, cx - text_width(text, scale) / 2, y, scale, width, color, alpha)


# ---------------------------------------------------------------------------------------------
# The pictures.

NAVY = (14, 28, 56)
TEAL = (24, 92, 118)
WHITE = (255, 255, 255)
INK = (28, 34, 44)
ACCENT = (222, 60, 48)
GOLD = (244, 196, 92)


def clock_face(canvas, cx, cy, r, hours=10, minutes=9, seconds=36):
    canvas.disc(cx + r * 0.05, cy + r * 0.08, r * 1.04, (0, 0, 0), alpha=0.45, soft=r * 0.12)
    canvas.disc(cx, cy, r, None, shade=lambda t: mix((72, 84, 100), (30, 38, 50), t))
    canvas.disc(cx, cy, r * 0.9, None, shade=lambda t: mix((252, 252, 248), (214, 222, 230), t * t))
    canvas.ring(cx, cy, r * 0.9, max(1.0, r * 0.015), (150, 160, 172))
    for tick in range(60):
        angle = math.radians(tick * 6 - 90)
        major = tick % 5 == 0
        inner = r * (0.68 if tick % 15 == 0 else 0.72 if major else 0.79)
        outer = r * 0.84
        width = r * (0.05 if tick % 15 == 0 else 0.035 if major else 0.012)
        canvas.strokes([(cx + inner * math.cos(angle), cy + inner * math.sin(angle),
                         cx + outer * math.cos(angle), cy + outer * math.sin(angle))], max(width, 1.0), INK)

    def hand(fraction, length, tail, width, color):
        angle = math.radians(fraction * 360 - 90)
        dx, dy = math.cos(angle), math.sin(angle)
        canvas.strokes([(cx - tail * dx, cy - tail * dy, cx + length * dx, cy + length * dy)], width, color)

    hand((hours % 12 + minutes / 60) / 12, r * 0.46, r * 0.08, max(r * 0.07, 2.0), INK)
    hand((minutes + seconds / 60) / 60, r * 0.7, r * 0.1, max(r * 0.045, 1.6), INK)
    hand(seconds / 60, r * 0.78, r * 0.2, max(r * 0.018, 1.0), ACCENT)
    canvas.disc(cx, cy, max(r * 0.06, 1.5), ACCENT)
    canvas.disc(cx, cy, max(r * 0.025, 0.8), WHITE)


def splash():
    canvas = Canvas(510, 300)
    canvas.vertical_gradient(NAVY, TEAL)
    # Faint concentric rings behind the clock, like ripples of time.
    for radius in (140, 175, 210, 245):
        canvas.ring(150, 150, radius, 1.2, (120, 190, 210))
    clock_face(canvas, 150, 150, 108)
    draw_text_centred(canvas, "OZR", 380, 72, 11, 7.5, GOLD)
    draw_text_centred(canvas, "RURIV", 380, 152, 9, 6, WHITE)
    canvas.strokes([(290, 226, 470, 226)], 1.5, (150, 200, 215))
    draw_text_centred(canvas, "DESKTOP CLOCK", 380, 240, 2.6, 1.8, (200, 226, 234))
    return canvas


def desktop(width, height, taskbar_height):
    canvas = Canvas(width, height)
    canvas.vertical_gradient((40, 110, 170), (120, 180, 214), 0, height - taskbar_height)
    canvas.vertical_gradient((58, 64, 78), (30, 34, 44), height - taskbar_height, height)
    canvas.fill_rect(0, height - taskbar_height, width, height - taskbar_height + 1, (110, 120, 136))
    # A start button and two running programs on the taskbar.
    top = height - taskbar_height
    canvas.rounded_rect(4, top + 4, 26, height - 4, 3, (90, 170, 90))
    for x in (32, 62):
        canvas.rounded_rect(x, top + 5, x + 26, height - 5, 2, (84, 92, 110))
    return canvas


def systray_choice():
    width, height, bar = 180, 110, 24
    canvas = desktop(width, height, bar)
    top = height - bar
    # The clock in the notification area, lit up and repeated large above it.
    canvas.rounded_rect(112, top + 3, 176, height - 3, 3, (20, 24, 32))
    draw_text_centred(canvas, "12:00", 144, top + 7.5, 1.5, 1.3, WHITE)
    canvas.strokes([(144, top - 4, 144, top - 14)], 1.4, GOLD)
    canvas.strokes([(139, top - 9, 144, top - 4), (144, top - 4, 149, top - 9)], 1.4, GOLD)
    canvas.rounded_rect(92, 12, 174, 58, 5, (0, 0, 0), alpha=0.35, soft=4)
    canvas.rounded_rect(90, 10, 172, 56, 5, (20, 24, 32))
    draw_text_centred(canvas, "12:00", 131, 21, 3.4, 2.4, WHITE)
    draw_text(canvas, "SYSTRAY", 8, 12, 1.6, 1.3, WHITE)
    clock_face(canvas, 40, 52, 22, 12, 0, 0)
    return canvas


def floating_choice():
    width, height, bar = 180, 110, 24
    canvas = desktop(width, height, bar)
    # The floating clock with the two default labels: the time, white on black, and the date,
    # black on white.
    x0, y0, x1, y1 = 72, 22, 170, 70
    canvas.rounded_rect(x0 + 3, y0 + 4, x1 + 3, y1 + 4, 3, (0, 0, 0), alpha=0.35, soft=4)
    canvas.fill_rect(x0, y0, x1, y0 + 26, (0, 0, 0))
    canvas.fill_rect(x0, y0 + 26, x1, y1, WHITE)
    draw_text_centred(canvas, "12:00:00", (x0 + x1) / 2, y0 + 6, 2.2, 1.7, WHITE)
    draw_text_centred(canvas, "2026-03-01", (x0 + x1) / 2, y0 + 32.5, 1.6, 1.2, INK)
    draw_text(canvas, "FLOATING", 8, 12, 1.6, 1.3, WHITE)
    clock_face(canvas, 40, 52, 22, 12, 0, 0)
    return canvas


def muted(canvas):
    """The picture of the clock type not chosen: grey and faded."""
    copy = Canvas(canvas.width, canvas.height)

    def fade(p):
        grey = 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]
        return mix((grey, grey, grey), (200, 200, 200), 0.45)

    copy.pixels = [list(fade(p)) for p in canvas.pixels]
    return copy


# ---------------------------------------------------------------------------------------------
# A baseline JPEG encoder: YCbCr without subsampling, Huffman tables made for each picture.

ZIGZAG = [
    0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7, 14, 21,
    28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61,
    54, 47, 55, 62, 63,
]
LUMA_QUANT = [
    16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69, 56, 14, 17, 22, 29,
    51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92, 49, 64, 78, 87, 103, 121,
    120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
]
CHROMA_QUANT = [
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99,
] + [99] * 36
COSINES = [[(math.sqrt(0.5) if u == 0 else 1.0) * 0.5 * math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)]
           for u in range(8)]


def scaled_quant(table, quality):
    scale = 5000 / quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, (q * scale + 50) // 100)) for q in table]


def dct(block):
    rows = [[sum(c[x] * row[x] for x in range(8)) for c in COSINES] for row in block]
    return [[sum(COSINES[v][y] * rows[y][u] for y in range(8)) for u in range(8)] for v in range(8)]


def category(value):
    return abs(value).bit_length()


def value_bits(value, size):
    return value if value >= 0 else value + (1 << size) - 1


def block_symbols(coefficients, previous_dc):
    """The (symbol, extra bits, extra size) of one block, its DC difference first."""
    out = []
    diff = coefficients[0] - previous_dc
    size = category(diff)
    out.append(('dc', size, value_bits(diff, size), size))
    run = 0
    last = max((i for i in range(1, 64) if coefficients[i] != 0), default=0)
    for i in range(1, last + 1):
        value = coefficients[i]
        if value == 0:
            run += 1
            continue
        while run > 15:
            out.append(('ac', 0xF0, 0, 0))
            run -= 16
        size = category(value)
        out.append(('ac', (run << 4) | size, value_bits(value, size), size))
        run = 0
    if last < 63:
        out.append(('ac', 0x00, 0, 0))
    return out


def optimal_table(frequencies):
    """Code lengths no longer than 16 bits for the used symbols, as the JPEG standard builds them."""
    freq = list(frequencies) + [1]  # a reserved symbol, so that no code is all ones
    codesize = [0] * 257
    others = [-1] * 257
    while True:
        c1 = c2 = -1
        v1 = v2 = float('inf')
        for i in range(257):
            if freq[i] and freq[i] <= v1:
                v2, c2 = v1, c1
                v1, c1 = freq[i], i
            elif freq[i] and freq[i] <= v2:
                v2, c2 = freq[i], i
        if c2 < 0:
            break
        freq[c1] += freq[c2]
        freq[c2] = 0
        for c in (c1, c2):
            codesize[c] += 1
            while others[c] >= 0:
                c = others[c]
                codesize[c] += 1
        end = c1
        while others[end] >= 0:
            end = others[end]
        others[end] = c2
    bits = [0] * 33
    for i in range(257):
        if codesize[i]:
            bits[codesize[i]] += 1
    for i in range(32, 16, -1):
        while bits[i] > 0:
            j = i - 2
            while bits[j] == 0:
                j -= 1
            bits[i] -= 2
            bits[i - 1] += 1
            bits[j + 1] += 2
            bits[j] -= 1
    i = 16
    while bits[i] == 0:
        i -= 1
    bits[i] -= 1  # drop the reserved symbol's code
    values = [s for length in range(1, 33) for s in range(256) if codesize[s] == length]
    return bits[1:17], values


def canonical_codes(bits, values):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[values[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.accumulator = 0
        self.count = 0

    def write(self, value, size):
        if size == 0:
            return
        self.accumulator = (self.accumulator << size) | (value & ((1 << size) - 1))
        self.count += size
        while self.count >= 8:
            self.count -= 8
            byte = (self.accumulator >> self.count) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0x00)
        self.accumulator &= (1 << self.count) - 1

    def finish(self):
        if self.count:
            self.write((1 << (8 - self.count)) - 1, 8 - self.count)
        return bytes(self.out)


def segment(marker, payload):
    return struct.pack('>BBH', 0xFF, marker, len(payload) + 2) + payload


def encode_jpeg(width, height, rgb, quality=92):
    quant = [scaled_quant(LUMA_QUANT, quality), scaled_quant(CHROMA_QUANT, quality)]
    planes = [[0.0] * (width * height) for _ in range(3)]
    for i in range(width * height):
        r, g, b = rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]
        planes[0][i] = 0.299 * r + 0.587 * g + 0.114 * b - 128
        planes[1][i] = -0.168736 * r - 0.331264 * g + 0.5 * b
        planes[2][i] = 0.5 * r - 0.418688 * g - 0.081312 * b
    # Blocks in scan order, each one MCU of Y, Cb and Cr; edges repeat the last row and column.
    symbols = []
    previous = [0, 0, 0]
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            for component in range(3):
                plane = planes[component]
                block = [[plane[min(by + y, height - 1) * width + min(bx + x, width - 1)] for x in range(8)]
                         for y in range(8)]
                coefficients = dct(block)
                table = quant[0 if component == 0 else 1]
                flat = [coefficients[k // 8][k % 8] for k in range(64)]
                zigzag = [int(round(flat[ZIGZAG[k]] / table[ZIGZAG[k]])) for k in range(64)]
                symbols.append((component, block_symbols(zigzag, previous[component])))
                previous[component] = zigzag[0]
    frequencies = {key: [0] * 256 for key in (('dc', 0), ('ac', 0), ('dc', 1), ('ac', 1))}
    for component, block in symbols:
        for kind, symbol, _, _ in block:
            frequencies[(kind, min(component, 1))][symbol] += 1
    tables = {key: optimal_table(f) for key, f in frequencies.items()}
    codes = {key: canonical_codes(*table) for key, table in tables.items()}
    writer = BitWriter()
    for component, block in symbols:
        for kind, symbol, extra, size in block:
            code, length = codes[(kind, min(component, 1))][symbol]
            writer.write(code, length)
            writer.write(extra, size)
    out = bytearray(b'\xFF\xD8')
    out += segment(0xE0, b'JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00')
    for index, table in enumerate(quant):
        out += segment(0xDB, bytes([index]) + bytes(table[ZIGZAG[k]] for k in range(64)))
    out += segment(0xC0, struct.pack('>BHHB', 8, height, width, 3) + bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1]))
    for (kind, index), (bits, values) in tables.items():
        out += segment(0xC4, bytes([(0x00 if kind == 'dc' else 0x10) | index]) + bytes(bits) + bytes(values))
    out += segment(0xDA, bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0]))
    out += writer.finish()
    out += b'\xFF\xD9'
    return bytes(out)


def write_jpeg(folder, name, canvas):
    path = os.path.join(folder, name)
    with open(path, 'wb') as f:
        f.write(encode_jpeg(canvas.width, canvas.height, canvas.rgb_bytes()))
    print(path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, '..', 'data', 'GUI', 'Misc'))
    os.makedirs(folder, exist_ok=True)
    write_jpeg(folder, 'Splash.jpg', splash())
    systray, floating = systray_choice(), floating_choice()
    write_jpeg(folder, 'OZRClockSystray.jpg', systray)
    write_jpeg(folder, 'OZRClockFloating.jpg', floating)
    write_jpeg(folder, 'OZRClockSystrayM.jpg', muted(systray))
    write_jpeg(folder, 'OZRClockFloatingM.jpg', muted(floating))


if __name__ == '__main__':
    main()
