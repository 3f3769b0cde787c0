#!/usr/bin/env python3
"""Draws the alarm wizard's animation pictures and writes them as JPEG files.

    tools/make_wizard_animation.py [output folder]     (default: data/GUI/Warlock of this repository)

Writes Anim1.jpg to Anim279.jpg, 140 x 140 each. The animation follows the user through the
wizard's steps: a clock face whose hands turn with the frame, a ring around it that fills up, and a
sky behind it that goes from dawn to night. Each step rests on its own frame (40, 80, ..., 279), so
every step's picture looks different. The drawing and the JPEG encoder are those of the intro
pictures, so the output is the same on every run.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_intro_pictures import Canvas, clock_face, mix, write_jpeg  # noqa: E402

SIZE = 140
FRAMES = 279
# The sky along the run: dawn, day, dusk, night.
SKY = [((250, 190, 120), (120, 150, 210)), ((140, 200, 250), (40, 110, 200)),
       ((250, 140, 90), (90, 60, 140)), ((40, 50, 110), (8, 10, 30))]
RING_BACK = (60, 70, 90)
RING_FORE = (255, 210, 60)


def sky(t):
    """The sky's top and bottom colour at t from 0 to 1 of the run."""
    position = t * (len(SKY) - 1)
    i = min(int(position), len(SKY) - 2)
    f = position - i
    return mix(SKY[i][0], SKY[i + 1][0], f), mix(SKY[i][1], SKY[i + 1][1], f)


def frame(n):
    t = (n - 1) / (FRAMES - 1)
    canvas = Canvas(SIZE, SIZE)
    top, bottom = sky(t)
    canvas.vertical_gradient(top, bottom)
    # Stars come out as the night falls.
    for k in range(14):
        x, y = (k * 53 + 17) % SIZE, (k * 37 + 11) % (SIZE // 2)
        canvas.disc(x, y, 1.2, (255, 255, 240), alpha=max(0.0, t - 0.6) * 2.5)
    cx = cy = SIZE / 2
    # The progress ring: its filled arc grows with the frame.
    canvas.ring(cx, cy, 60, 7, RING_BACK)
    steps = max(1, int(72 * t))
    for k in range(steps):
        a = math.radians(k * 5 - 90)
        canvas.disc(cx + 60 * math.cos(a), cy + 60 * math.sin(a), 3.4, RING_FORE)
    total_seconds = int(t * 12 * 3600)
    clock_face(canvas, cx, cy, 48, hours=total_seconds // 3600, minutes=(total_seconds // 60) % 60,
               seconds=(n * 7) % 60)
    return canvas


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, '..', 'data', 'GUI', 'Warlock'))
    os.makedirs(folder, exist_ok=True)
    for n in range(1, FRAMES + 1):
        write_jpeg(folder, 'Anim%d.jpg' % n, frame(n))


if __name__ == '__main__':
    main()
