#!/usr/bin/env python3
"""Draws the wizard's program icon and Welcome picture.

    make_art.py OUTPUT_FOLDER

writes dotwell.ico (16, 32 and 48 px) and welcome.bmp (740 x 465, 24-bit).
"""

import math
import os
import sys

# Runs from the build; leaves no byte-code in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from raster import Canvas, bmp24_bytes, ico_bytes, smoothstep  # noqa: E402

# Six-dot cells of the letters, dots 1-2-3 down the left column, 4-5-6 down
# the right one.
LETTERS = {
    "a": "1", "b": "12", "c": "14", "d": "145", "e": "15", "f": "124", "g": "1245",
    "h": "125", "i": "24", "j": "245", "k": "13", "l": "123", "m": "134", "n": "1345",
    "o": "135", "p": "1234", "q": "12345", "r": "1235", "s": "234", "t": "2345",
    "u": "136", "v": "1236", "w": "2456", "x": "1346", "y": "13456", "z": "1356",
}

DOT_OFFSETS = {"1": (0, 0), "2": (0, 1), "3": (0, 2), "4": (1, 0), "5": (1, 1), "6": (1, 2)}

PAPER = (0.995, 0.993, 0.985)
LABEL = (0.99, 0.965, 0.90)
LABEL_EDGE = (0.80, 0.76, 0.66)
INK_BLUE = (0.16, 0.36, 0.62)


def braille_dots(word, left, top, dot_pitch, cell_pitch):
    """Centres of the raised dots of a word written from (left, top)."""
    for n, letter in enumerate(word):
        for dot in LETTERS.get(letter, ""):
            col, row = DOT_OFFSETS[dot]
            yield left + n * cell_pitch + col * dot_pitch, top + row * dot_pitch


def word_width(word, dot_pitch, cell_pitch):
    return (len(word) - 1) * cell_pitch + dot_pitch


def draw_label(canvas, left, top, right, bottom, radius, words, dot_radius, dot_pitch,
               cell_pitch, line_pitch, shadow=0.22):
    canvas.soft_shadow(left + 2, top + 3, right + 2, bottom + 3, radius, radius * 0.8 + 2, shadow)
    canvas.rounded_rect(left, top, right, bottom, radius, LABEL_EDGE)
    canvas.rounded_rect(left + 1, top + 1, right - 1, bottom - 1, radius - 1, LABEL)
    block = (len(words) - 1) * line_pitch + 2 * dot_pitch
    y = (top + bottom) / 2.0 - block / 2.0
    for word in words:
        x = (left + right) / 2.0 - word_width(word, dot_pitch, cell_pitch) / 2.0
        for cx, cy in braille_dots(word, x, y, dot_pitch, cell_pitch):
            canvas.raised_dot(cx, cy, dot_radius, LABEL)
        y += line_pitch


def welcome_picture():
    w, h = 740, 465
    canvas = Canvas(w, h)

    # A light glow that fades to one flat colour at every edge: the page
    # fills what the picture does not cover with its corner pixel.
    edge = (0.84, 0.90, 0.955)
    centre = (0.97, 0.98, 0.995)

    def background(x, y):
        dx = (x - w * 0.55) / (w * 0.5)
        dy = (y - h * 0.45) / (h * 0.5)
        t = 1.0 - smoothstep(0.0, 1.0, math.hypot(dx, dy))
        t *= smoothstep(0.0, 30.0, min(x, y, w - x, h - y))
        return tuple(a + (b - a) * t for a, b in zip(edge, centre))

    canvas.fill(background)

    # A sheet of pantry labels, as a user would emboss it.
    sheet = (72, 52, 332, 412)
    canvas.soft_shadow(sheet[0] + 4, sheet[1] + 6, sheet[2] + 4, sheet[3] + 6, 3, 12, 0.30)
    canvas.rounded_rect(*sheet, 3, PAPER)
    names = [["salt"], ["sugar"], ["rice"], ["green", "tea"], ["oats"],
             ["honey"], ["flour"], ["mint"], ["pepper"], ["jam"]]
    label_w, label_h, gap_x, gap_y = 110, 56, 10, 11
    for i, words in enumerate(names):
        row, col = divmod(i, 2)
        left = sheet[0] + 15 + col * (label_w + gap_x)
        top = sheet[1] + 18 + row * (label_h + gap_y)
        draw_label(canvas, left, top, left + label_w, top + label_h, 7, words,
                   2.3, 6.0, 14.0, 19.0, shadow=0.12)

    # One label seen close up, its dots raised from the paper.
    draw_label(canvas, 382, 148, 688, 316, 16, ["dotwell"], 6.6, 17.0, 40.0, 0.0, shadow=0.28)

    # A quiet line of dots underneath, like a braille rule.
    for i in range(11):
        canvas.raised_dot(430 + i * 21.0, 372, 3.2, (0.86, 0.91, 0.96), shadow=0.18)
    for i, (cx, cy) in enumerate(braille_dots("welcome", 460, 96, 9.0, 24.0)):
        canvas.raised_dot(cx, cy, 3.6, (0.88, 0.93, 0.975), shadow=0.16)
    return canvas


def icon(size):
    canvas = Canvas(size, size, alpha=0.0)
    m = max(1.0, size / 16.0)
    top_blue, bottom_blue = (0.22, 0.48, 0.78), (0.10, 0.27, 0.55)

    def tile(x, y):
        t = y / size
        return tuple(a + (b - a) * t for a, b in zip(top_blue, bottom_blue))

    canvas.rounded_rect(m * 0.5, m * 0.5, size - m * 0.5, size - m * 0.5, size * 0.2, None, tile)
    # The cell of "d": dots 1, 4 and 5 raised, the others only marked.
    if size < 32:
        # Too small for shading: whole-pixel squares stay crisp.
        for dot, (col, row) in DOT_OFFSETS.items():
            x, y = 4 + 5 * col, 3 + 4 * row
            if dot in "145":
                canvas.rounded_rect(x, y, x + 3, y + 3, 0.8, (1.0, 1.0, 1.0))
            else:
                canvas.rounded_rect(x + 1, y + 1, x + 2, y + 2, 0.0, (0.50, 0.66, 0.88))
        return canvas
    radius = size * 0.1
    for dot, (col, row) in DOT_OFFSETS.items():
        cx = size * (0.36 + 0.28 * col)
        cy = size * (0.27 + 0.23 * row)
        if dot in "145":
            canvas.raised_dot(cx, cy, radius, (1.0, 1.0, 1.0), shadow=0.4)
        else:
            r = radius * 0.55
            canvas.rounded_rect(cx - r, cy - r, cx + r, cy + r, r, (0.45, 0.62, 0.85))
    return canvas


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_art.py OUTPUT_FOLDER\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "dotwell.ico"), "wb") as f:
        f.write(ico_bytes([icon(16), icon(32), icon(48)]))
    with open(os.path.join(out, "welcome.bmp"), "wb") as f:
        f.write(bmp24_bytes(welcome_picture()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
